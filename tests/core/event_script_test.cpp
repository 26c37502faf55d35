// The script editor's line rules: the end marker following the typing, the stored
// form of a command, line insertion and deletion, copies and templates within the
// line limit.
#include <gtest/gtest.h>

#include "core/event/script_editing.h"
#include "core/event/script_templates.h"
#include "core/map/map_event_file.h"

using namespace quillane;
using namespace quillane::event;
using text::sj;

namespace {

// Lines "m0".."m{n-1}" with commands "C0".., then the end marker.
ScriptLines script(int n) {
  ScriptLines lines{};
  for (int i = 0; i < n; ++i) lines[i] = {"m" + std::to_string(i), "C" + std::to_string(i)};
  lines[n] = {kEndMarker, ""};
  return lines;
}

}  // namespace

TEST(EventScript, OneSearchForTheEndMarker) {
  ScriptLines lines = script(3);
  lines[7] = {kEndMarker, ""};  // a second marker further down does not count
  EXPECT_EQ(findEndMarker(lines), 3);
  EXPECT_EQ(endMarkerIndex(lines), 3);
  // Without one: the search says so, the editor reads the spare line as the end, the
  // story writer writes lines 0..99 and then the marker, and a save reports the lines
  // past the limit instead of taking an end at line -1.
  ScriptLines none{};
  none[100] = {"late", "MES"};
  EXPECT_FALSE(findEndMarker(none));
  EXPECT_EQ(endMarkerIndex(none), kScriptLines - 1);
  MapEvents events;
  events.lastNumber = 0;
  events.records[0].lines = none;
  map::MapFileContext context;
  context.messageCount = 100;
  context.eventsPerMap = 100;
  EXPECT_TRUE(map::dataBeyondCounts(events, context).lines);
  events.records[0].lines = script(3);
  EXPECT_FALSE(map::dataBeyondCounts(events, context).any());
}

TEST(EventScript, TypingIntoAndOverTheEndMarker) {
  ScriptLines lines = script(2);
  ScriptEditing ed(lines, 100);
  ed.setCurrent(2);
  ASSERT_EQ(ed.storeLine("new", "nex"), EditRefusal::None);
  EXPECT_EQ(lines[2].message, "new");
  EXPECT_EQ(lines[2].command, "NEX");
  EXPECT_EQ(ed.endMarker(), 3);
  EXPECT_EQ(scriptRows(lines).size(), 4u);

  // "99" typed over line 1 ends the script there; later lines drop behind it.
  ed.setCurrent(1);
  ASSERT_EQ(ed.storeLine("99", "WIT"), EditRefusal::None);
  EXPECT_EQ(lines[1].command, "");
  EXPECT_EQ(ed.endMarker(), 1);
  EXPECT_EQ(scriptRows(lines), (std::vector<text::Bytes>{"0:m0" + sj(" ■ ") + "C0", "1:99" + sj(" ■ ")}));

  // The end marker may not pass the line limit.
  ScriptLines shortLines = script(3);
  ScriptEditing limited(shortLines, 3);
  limited.setCurrent(3);
  EXPECT_EQ(limited.storeLine("x", "END"), EditRefusal::PastLimit);
  EXPECT_EQ(shortLines[3].message, "99");
  EXPECT_EQ(limited.storeLine("99", ""), EditRefusal::None);  // staying the end is fine
}

TEST(EventScript, StoredCommandForm) {
  ScriptLines lines = script(1);
  ScriptEditing ed(lines, 100);
  ASSERT_EQ(ed.storeLine(sj("こんにちは"), ""), EditRefusal::None);
  EXPECT_EQ(lines[0].command, "END");
  // ツ is 0x83 0x63: its trail byte is "c" and must not be upper-cased.
  ASSERT_EQ(ed.storeLine("a", sj("nex:wit:smg,1,ツｂc")), EditRefusal::None);
  EXPECT_EQ(lines[0].command, sj("NEX:WIT:SMG,1,ツｂC"));
  EXPECT_EQ(lines[0].message, "a");
  EXPECT_EQ(ed.storeLine("say \"hi\"", "END"), EditRefusal::BadText);
  EXPECT_EQ(ed.storeLine("ok", "MES\r\n"), EditRefusal::BadText);
  EXPECT_EQ(lines[0].message, "a");
}

TEST(EventScript, AddingAndDeletingLines) {
  ScriptLines lines = script(3);
  ScriptEditing ed(lines, 100);
  ed.setCurrent(1);
  ASSERT_EQ(ed.addLine(), EditRefusal::None);
  EXPECT_EQ(lines[1].message, "m1");
  EXPECT_EQ(lines[2].message, "m1");
  EXPECT_EQ(lines[3].message, "m2");
  EXPECT_EQ(ed.endMarker(), 4);
  ed.setCurrent(0);
  ASSERT_EQ(ed.deleteLine(), EditRefusal::None);
  EXPECT_EQ(lines[0].message, "m1");
  EXPECT_EQ(ed.endMarker(), 3);
  ed.setCurrent(3);
  EXPECT_EQ(ed.addLine(), EditRefusal::Ignored);
  EXPECT_EQ(ed.deleteLine(), EditRefusal::Ignored);
  ed.setCurrent(50);  // beyond the script: ignored
  EXPECT_EQ(ed.current(), 3);

  ScriptLines atLimit = script(5);
  ScriptEditing limited(atLimit, 5);
  EXPECT_EQ(limited.addLine(), EditRefusal::PastLimit);
  EXPECT_EQ(atLimit[1].message, "m1");
}

TEST(EventScript, CopyingEventsAndLinesFromAnotherMap) {
  const ScriptLines source = script(4);
  ScriptLines lines = script(6);
  ScriptEditing ed(lines, 100);
  ed.setCurrent(5);
  ASSERT_EQ(ed.copyEvent(source), EditRefusal::None);
  EXPECT_EQ(ed.current(), 0);
  EXPECT_EQ(ed.endMarker(), 4);
  EXPECT_EQ(lines[5].message, "m5");  // left behind the end marker

  // Lines 1 and 3 onto line 3: the second lands on the end marker, which moves on.
  ed.setCurrent(3);
  ASSERT_EQ(ed.copyLines(source, {1, 3}), EditRefusal::None);
  EXPECT_EQ(lines[3].message, "m1");
  EXPECT_EQ(lines[4].message, "m3");
  EXPECT_EQ(ed.endMarker(), 5);
  EXPECT_EQ(ed.copyLines(source, {4}), EditRefusal::Ignored);  // the source's end marker

  ScriptLines small = script(1);
  ScriptEditing limited(small, 2);
  EXPECT_EQ(limited.copyEvent(source), EditRefusal::PastLimit);
  EXPECT_EQ(limited.copyLines(source, {0, 1, 2}), EditRefusal::PastLimit);
  EXPECT_EQ(small[0].message, "m0");
}

TEST(EventScript, TemplatesOverALongerScript) {
  ScriptLines lines = script(8);
  ScriptEditing ed(lines, 100);
  ASSERT_EQ(ed.writeScript(templateLines(ScriptTemplate::Inn)), EditRefusal::None);
  EXPECT_EQ(ed.endMarker(), 6);
  EXPECT_EQ(lines[1].message, sj("  ひとり**円になりますがよろしいですか？」"));
  EXPECT_EQ(lines[1].command, "BPP,0,11:GLP:YES,*Y1,*Y2");
  EXPECT_EQ(lines[2].message, "");
  EXPECT_EQ(lines[7].message, "m7");

  ASSERT_EQ(ed.writeScript(templateLines(ScriptTemplate::Clear)), EditRefusal::None);
  EXPECT_EQ(scriptRows(lines).size(), 1u);

  const std::vector<std::pair<ScriptTemplate, int>> sizes = {
      {ScriptTemplate::Shop, 3},   {ScriptTemplate::ItemChest, 5}, {ScriptTemplate::MoneyChest, 4},
      {ScriptTemplate::MapMove, 1}, {ScriptTemplate::Church, 2}};
  for (auto [kind, n] : sizes) EXPECT_EQ(templateLines(kind).size(), static_cast<std::size_t>(n));
  EXPECT_EQ(templateLines(ScriptTemplate::ItemChest)[3].command,
            sj("LBL,Y4:PUT,-1,0,0,TIP,蓋の開いた宝箱のキャラクタ番号:PRT:MWO:NEX"));

  ScriptLines small = script(1);
  ScriptEditing limited(small, 5);
  EXPECT_EQ(limited.writeScript(templateLines(ScriptTemplate::Inn)), EditRefusal::PastLimit);
}

TEST(EventScript, WorkCopyGoesBackOnlyWhenPut) {
  MapEvents ev;
  ev.lastNumber = 0;
  ev.records[0].x = 4;
  ev.records[0].y = 5;
  ev.records[0].speed = 2;
  ev.records[0].lines[0] = {kEndMarker, ""};
  ev.records[0].lines[100] = {"spare", "X"};
  ev.grid.at(4, 5) = {"1A", "3", "0"};
  EventWorkCopy copy = takeWorkCopy(ev, 0);
  copy.lines[0] = {"hello", "END"};
  copy.lines[100] = {"changed", ""};
  copy.speed = 8;
  copy.cell.movement = "13";
  EXPECT_EQ(ev.records[0].lines[0].message, "99");
  putBack(ev, 0, copy);
  EXPECT_EQ(ev.records[0].lines[0].message, "hello");
  EXPECT_EQ(ev.records[0].lines[100].message, "changed");  // the end marker may stand there
  EXPECT_EQ(ev.records[0].speed, 8);
  EXPECT_EQ(ev.grid.at(4, 5).movement, "13");

  ScriptLines opening{};  // an empty opening script
  opening[0] = {kEndMarker, ""};
  EventWorkCopy story = workCopyOfLines(opening);
  story.lines[0] = {"intro", "NEX"};
  story.lines[1] = {kEndMarker, ""};
  EXPECT_EQ(opening[0].message, "99");
  putBackLines(opening, story);
  EXPECT_EQ(opening[0].command, "NEX");
  EXPECT_EQ(opening[1].message, "99");
}
