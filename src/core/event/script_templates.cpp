#include "core/event/script_templates.h"

namespace quillane::event {

namespace {
ScriptLine line(const char* message, const char* command) { return {text::sj(message), text::sj(command)}; }

const char* const kOpenChest = "PUT,-1,0,0,TIP,蓋の開いた宝箱のキャラクタ番号:PRT:MWO:NEX";
const char* const kOpenedChest = "LBL,Y4:PUT,-1,0,0,TIP,蓋の開いた宝箱のキャラクタ番号:PRT:MWO:NEX";
}  // namespace

std::vector<ScriptLine> templateLines(ScriptTemplate kind) {
  switch (kind) {
    case ScriptTemplate::Shop:
      return {line("「いらっしゃい", "NEX"),
              line("　ここは道具屋だよ、何にする？」", "ITS,商品数,商品１,商品２,・・・:NEX"),
              line("「まいど」", "END")};
    case ScriptTemplate::Inn:
      return {line("「いらっしゃいませ、ここは宿屋です", "NEX"),
              line("  ひとり**円になりますがよろしいですか？」", "BPP,0,11:GLP:YES,*Y1,*Y2"),
              line("", "LBL,Y1:INN,一人当たりの料金,*L1:GLP:NEX"),
              line("「どうぞごゆっくり」", "SLP:INP:WKU:GLP:BPP,0,11:MWO:NEX"),
              line("「お気を付けて」", "LBL,Y2:END"),
              line("", "LBL,L1:THR")};
    case ScriptTemplate::ItemChest:
      return {line("", kOpenChest),
              line("＊＊＊を見つけた！", "WIT:ITP,道具番号,*Y3:FGE,*Y4"),
              line("宝物をあきらめた", "LBL,Y3:END"),
              line("", kOpenedChest),
              line("宝箱は空です", "END")};
    case ScriptTemplate::MoneyChest:
      return {line("", kOpenChest),
              line("お金を見つけた！", "WIT:GLD,金額,0:WIT:FGE,*Y4"),
              line("", kOpenedChest),
              line("宝箱は空です", "END")};
    case ScriptTemplate::MapMove:
      return {line("", "MAP,マップ番号,移動先イベント番号,Ｘ座標加算値,Ｙ座標加算値,移動後発生イベント番号,移動先フラグ")};
    case ScriptTemplate::Church:
      return {line("「ここは教会です", "BPP,0,11:RET,1レベル当たりの意識回復額,1レベル当たりの状態回復額:NEX"),
              line("「お気を付けて」", "END")};
    case ScriptTemplate::Clear:
      return {};
  }
  return {};
}

}  // namespace quillane::event
