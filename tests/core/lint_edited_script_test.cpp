// The checker as the script editor uses it: one script with the event labels of the
// rest of its map, and the findings in Japanese for the status line and the row marks.
#include <gtest/gtest.h>

#include "core/lint/finding_text.h"
#include "core/text/cp932.h"

using namespace quillane;
using lint::FindingKind;

namespace {

lint::Limits limits() {
  lint::Limits l;
  l.maps = 10, l.lastEvent = 100, l.players = 4, l.items = 5, l.magic = 0, l.enemies = 5;
  return l;
}

event::ScriptLines script(const std::vector<std::string>& commands) {
  event::ScriptLines lines{};
  for (std::size_t i = 0; i < commands.size(); ++i) lines[i] = {"", text::sj(commands[i])};
  lines[commands.size()].message = event::kEndMarker;
  return lines;
}

std::vector<lint::Finding> checkEdited(const event::ScriptLines& lines, const std::vector<std::string>& others,
                                       lint::Place place = {lint::Place::Script::Map, 2, 1, -1}) {
  std::vector<lint::Finding> out;
  lint::ScriptChecker(limits()).checkEdited(place, lines, others, out);
  return out;
}

}  // namespace

TEST(EditedScript, EventLabelsComeFromTheOtherEventsAndTheScriptItself) {
  event::MapEvents map;
  map.lastNumber = 2;
  map.records[0].lines = script({"ELB,SHOP"});
  map.records[1].lines = script({"ELB,OLD"});  // the event being edited: its stored copy does not count
  map.records[2].lines = script({"ELB,SHOP:ELB,INN"});
  map.records[3].lines = script({"ELB,GONE"});  // beyond the last event
  const std::vector<std::string> others = lint::eventLabelsOfMap(map, 1);
  EXPECT_EQ(others, (std::vector<std::string>{"SHOP", "INN"}));

  auto f = checkEdited(script({"MES,*SHOP:GSB,*INN", "WJP,*OWN", "MES,*OLD", "ELB,OWN", "MES,*GONE"}), others);
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].place.line, 2);
  EXPECT_EQ(f[0].kind, FindingKind::MissingEventLabel);
  EXPECT_EQ(f[0].place.event, 1);
  EXPECT_EQ(f[1].place.line, 4);
}

TEST(EditedScript, JapaneseTextsOfEachKind) {
  auto f = checkEdited(script({"XYZ,1", "MAP,1,2", "JMP,*NOWHERE", "GSB,*NONE", "MAP,10,0,0,0,99,1", "MGT,0,0"}), {});
  ASSERT_EQ(f.size(), 6u);
  EXPECT_EQ(lint::japaneseMessage(f[0]), "「XYZ」というコマンドはありません");
  EXPECT_EQ(lint::japaneseMessage(f[1]), "引数の数（2個）がどの形式にも合いません（MAP,n1,n2,c1,c2,c3,c4）");
  EXPECT_EQ(lint::japaneseMessage(f[2]), "ラベル「*NOWHERE」がこのイベントにありません");
  EXPECT_EQ(lint::japaneseMessage(f[3]), "イベントラベル「*NONE」がこのマップのどのイベントにもありません");
  EXPECT_EQ(lint::japaneseMessage(f[4]), "マップNo.10はマップの範囲（0～9）を超えています");
  EXPECT_EQ(lint::japaneseMessage(f[5]), "魔法No.0は魔法の範囲（なし）を超えています");  // an empty table

  event::ScriptLines noEnd{};
  noEnd[0].command = "JMP,*A";
  auto g = checkEdited(noEnd, {}, {lint::Place::Script::Opening, -1, -1, -1});
  ASSERT_FALSE(g.empty());
  EXPECT_EQ(lint::japaneseMessage(g[0]), "このスクリプトには終わりの行（メッセージ「99」）がありません");
  EXPECT_EQ(lint::japaneseMessage(g[1]), "ラベル「*A」がこのスクリプトにありません");
}

TEST(EditedScript, StatusOfALineAndTheMarkedRows) {
  auto f = checkEdited(script({"NEX", "XYZ:MAP,1:ITP,9,0", "END"}), {});
  EXPECT_EQ(lint::lineStatus(f, 0), "");
  EXPECT_EQ(lint::lineStatus(f, 1), "XYZ：「XYZ」というコマンドはありません（ほか2件）");
  EXPECT_EQ(lint::lineStatus(f, 3), "");
  EXPECT_EQ(lint::linesWithFindings(f, 4), (std::vector<bool>{false, true, false, false}));
  EXPECT_EQ(lint::linesWithFindings(f, 1), (std::vector<bool>{false}));  // rows not shown are left out
}
