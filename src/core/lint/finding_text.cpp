#include "core/lint/finding_text.h"

namespace quillane::lint {

namespace {

const char* tableJapanese(ArgKind kind) {
  switch (kind) {
    case ArgKind::Map: return "マップ";
    case ArgKind::Event: return "イベント";
    case ArgKind::Player: return "プレイヤー";
    case ArgKind::Item: return "道具";
    case ArgKind::Magic: return "魔法";
    case ArgKind::Enemy: return "敵";
    case ArgKind::Free: break;
  }
  return "";
}

// The event, or the opening or ending script, the finding lies in.
const char* scriptJapanese(const Place& place) {
  return place.script == Place::Script::Map ? "このイベント" : "このスクリプト";
}

}  // namespace

std::string japaneseMessage(const Finding& f) {
  const FindingDetail& d = f.detail;
  switch (f.kind) {
    case FindingKind::UnknownCommand:
      return "「" + f.command + "」というコマンドはありません";
    case FindingKind::ArgumentCount:
      return "引数の数（" + std::to_string(d.number) + "個）がどの形式にも合いません（" + d.subject + "）";
    case FindingKind::MissingLabel:
      return "ラベル「*" + d.subject + "」が" + scriptJapanese(f.place) + "にありません";
    case FindingKind::MissingEventLabel:
      return "イベントラベル「*" + d.subject + "」が" +
             (f.place.script == Place::Script::Map ? "このマップのどのイベントにもありません"
                                                   : "このスクリプトにありません");
    case FindingKind::BeyondTable: {
      const std::string table = tableJapanese(d.table);
      const std::string range = d.top < 0 ? "なし" : "0～" + std::to_string(d.top);
      return table + "No." + std::to_string(d.number) + "は" + table + "の範囲（" + range + "）を超えています";
    }
    case FindingKind::NoEndMarker:
      return std::string(scriptJapanese(f.place)) + "には終わりの行（メッセージ「99」）がありません";
  }
  return f.message;
}

std::string lineStatus(const std::vector<Finding>& findings, int line) {
  const Finding* first = nullptr;
  int others = 0;
  for (const Finding& f : findings) {
    if (f.place.line != line) continue;
    if (first) ++others;
    else first = &f;
  }
  if (!first) return {};
  std::string s = first->command.empty() ? "" : first->command + "：";
  s += japaneseMessage(*first);
  if (others > 0) s += "（ほか" + std::to_string(others) + "件）";
  return s;
}

std::vector<bool> linesWithFindings(const std::vector<Finding>& findings, int lines) {
  std::vector<bool> marked(static_cast<std::size_t>(std::max(lines, 0)), false);
  for (const Finding& f : findings)
    if (f.place.line >= 0 && f.place.line < lines) marked[static_cast<std::size_t>(f.place.line)] = true;
  return marked;
}

}  // namespace quillane::lint
