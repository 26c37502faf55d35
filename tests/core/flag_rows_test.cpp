#include <gtest/gtest.h>

#include "core/event/flag_event_source.h"
#include "core/event/flag_rows.h"

using namespace quillane::event;
using quillane::text::sj;

namespace {

void setLine(MapEvents& ev, int event, int line, const Bytes& message, const Bytes& command) {
  ev.records[static_cast<std::size_t>(event)].lines[static_cast<std::size_t>(line)] = {message, command};
}

struct Fixture {
  MapEvents open;
  MapEvents other;
  int reads = 0;
  FlagEventSource source;

  Fixture()
      : source(2, open, {sj("城下町"), "Field", sj("迷いの森")},
               [this](int map) -> std::optional<MapEvents> {
                 ++reads;
                 if (map != 0) return std::nullopt;
                 return other;
               }) {
    open.lastNumber = 1;
    setLine(open, 0, 0, sj("宝箱"), "ITS,1");
    setLine(open, 0, 1, "99", "");
    setLine(open, 1, 0, "A" + sj("あいうえおかきくけこさしすせそたちつてとな"), "MES");
    setLine(open, 1, 1, "99", "");
    other.lastNumber = 0;
    setLine(other, 0, 0, sj("王様"), "MES");
    setLine(other, 0, 1, sj("よく来た"), "FLG");
    setLine(other, 0, 2, "99", "");
  }
};

}  // namespace

TEST(FlagRows, NumbersFollowTheNumberToTextForm) {
  EXPECT_EQ(numberText(5), " 5");
  EXPECT_EQ(numberText(-5), "-5");
  EXPECT_EQ(numberIn3(5), "  5");
  EXPECT_EQ(numberIn3(42), " 42");
  EXPECT_EQ(numberIn3(100), "100");    // wider than the blank allows: shown whole
  EXPECT_EQ(numberIn3(-100), "-100");
}

TEST(FlagRows, EntryRowFieldsAreCutOrPaddedToTheirByteWidths) {
  Fixture f;
  FlagEntry e;
  e.conditions[0] = {0, 0, ">=", 1};
  Bytes row = entryRow(e, f.source);
  // The other map is read once for the whole dialog, whatever is shown of it.
  const Bytes head = sj("ﾏｯﾌﾟ:城下町 ｲﾍﾞﾝﾄ:");
  ASSERT_EQ(row.compare(0, head.size(), head), 0);
  Bytes field1 = row.substr(head.size(), 44);
  EXPECT_EQ(field1, "  0:" + sj("王様 ■ ") + "MES" + Bytes(44 - 4 - 4 - 4 - 3, ' '));
  const Bytes mid = " >=" + sj(" ﾒｯｾｰｼﾞ:");
  EXPECT_EQ(row.substr(head.size() + 44, mid.size()), mid);
  Bytes field2 = row.substr(head.size() + 44 + mid.size());
  EXPECT_EQ(field2.size(), 44u);
  EXPECT_EQ(field2.substr(0, 4 + 8 + 4 + 3), "  1:" + sj("よく来た ■ ") + "FLG");
  EXPECT_EQ(f.reads, 1);
}

TEST(FlagRows, DoubleByteTextIsCutBeforeACharacterThatWouldSplit) {
  Fixture f;
  FlagAction d;
  d.kind = "D";
  d.value1 = 1;
  Bytes row = stepRow(d, f.source);
  const Bytes head = sj("(ｲﾍﾞﾝﾄ消去) ｲﾍﾞﾝﾄ:");
  Bytes field = row.substr(head.size());
  ASSERT_EQ(field.size(), 44u);
  // "  1:A" is 5 bytes; 19 double-byte characters reach 43 and the 20th would split.
  EXPECT_EQ(field, "  1:A" + sj("あいうえおかきくけこさしすせそたちつて") + " ");
  FlagAction d2 = d;
  d2.value1 = 0;
  EXPECT_EQ(stepRow(d2, f.source), head + "  0:" + sj("宝箱") + Bytes(36, ' '));
  EXPECT_EQ(f.reads, 0);  // the open map's events come from memory
}

TEST(FlagRows, EventMoveRowShowsMovementNameAndShownSpeed) {
  Fixture f;
  FlagAction e;
  e.kind = "E";
  e.value1 = 12;
  e.value2 = 3;
  e.value3 = 4;
  e.text1 = "1A";
  e.text2 = "13";
  e.text3 = "0";
  Bytes row = stepRow(e, f.source);
  Bytes expected = sj("(ｲﾍﾞﾝﾄ移動) 座標 X: 12 Y: 3   ｲﾍﾞﾝﾄ:") + "  0:" + sj("宝箱") + Bytes(32, ' ') +
                   sj(" ｷｬﾗｸﾀ:1A 移動:追跡縦座標重点(停止) 速度:3");
  EXPECT_EQ(row, expected);
  EXPECT_EQ(pickText(e), sj("X: 12 Y: 3 ｷｬﾗｸﾀNo. 1A"));
}

TEST(FlagRows, FlagChangeAndCharacterRows) {
  Fixture f;
  FlagAction c;
  c.kind = "C";
  c.value1 = 200;
  c.value2 = 7;
  c.text1 = "12A";
  EXPECT_EQ(stepRow(c, f.source), sj("(ｷｬﾗｸﾀ表示) 座標 X: 200Y: 7   ｷｬﾗｸﾀNo.:12A"));
  FlagAction fl;
  fl.kind = "F";
  fl.value1 = 1;  // a map without event file: blank texts, the map still named
  fl.value2 = 3;
  fl.value3 = 2;
  Bytes row = stepRow(fl, f.source);
  Bytes expected = sj("(ﾌﾗｸﾞ変更) ﾏｯﾌﾟ:") + "Field" + Bytes(11, ' ') + sj(" ｲﾍﾞﾝﾄ:") + "  3:" +
                   sj(" ■ ") + Bytes(36, ' ') + sj(" ﾌﾗｸﾞ:") + "  2:" + sj(" ■ ") + Bytes(36, ' ');
  EXPECT_EQ(row, expected);
}

TEST(FlagRows, BoxItemsListMapsEventsAndLines) {
  Fixture f;
  std::vector<Bytes> maps = mapItems(f.source);
  ASSERT_EQ(maps.size(), 3u);
  EXPECT_EQ(maps[2], "2:" + sj("迷いの森"));
  std::vector<Bytes> lines = lineItems(f.source, 0, 0);
  ASSERT_EQ(lines.size(), 3u);  // up to and with the end marker
  EXPECT_EQ(lines[1], "1:" + sj("よく来た ■ ") + "FLG");
  EXPECT_EQ(lines[2], "2:99" + sj(" ■ "));
  EXPECT_EQ(shortEventItems(f.source, 2).size(), 2u);
  EXPECT_TRUE(eventItems(f.source, 1).empty());
  EXPECT_TRUE(eventItems(f.source, 7).empty());  // beyond the map count: never read
  EXPECT_EQ(f.reads, 2);
  std::vector<Bytes> moves = movementItems();
  ASSERT_EQ(moves.size(), 18u);
  EXPECT_EQ(moves[10], sj("ランダム(停止)"));
  EXPECT_EQ(moves[12], sj("追跡縦座標重点(停止)"));
}
