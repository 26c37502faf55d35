// The attribute, message and object dialogs' rules: the rate matrix with its shown
// percentages and two-way delete, the message list up to its "END", and the object
// table with new entries, deletions and the checks that keep the file readable.
#include <gtest/gtest.h>

#include "core/editors/attribute_editing.h"
#include "core/editors/message_editing.h"
#include "core/editors/object_editing.h"
#include "data_fixtures.h"

using namespace quillane;
using namespace quillane::editors;
using text::sj;

namespace {

// Attributes 火, 水, 風 with cell (a, j) = 10 a + j.
data::SceneryTable threeAttributes() {
  data::SceneryTable t;
  const char* names[] = {"火", "水", "風"};
  for (int a = 0; a < 3; ++a) {
    t.attributeName[a] = sj(names[a]);
    for (int j = 0; j < 3; ++j) t.attributeRate[a][j] = static_cast<float>(10 * a + j);
  }
  return t;
}

Objects objectsNamed(int count) {
  Objects o;  // every text empty (the strings construct empty)
  for (int i = 0; i < count; ++i) o[i] = {std::to_string(10 + i % 90), "", "", "", "-1", "10"};
  return o;
}

}  // namespace

TEST(AttributeEditing, RatesAreStoredAsHundredMinusThePercentage) {
  data::SceneryTable t = threeAttributes();
  setRate(t, 1, 2, 150);
  EXPECT_EQ(t.attributeRate[1][2], -50.0f);
  const auto rows = rateRows(t, 1);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2], "2:" + sj("風　") + " 150" + sj("％"));
  EXPECT_EQ(rows[0], "0:" + sj("火　") + " 90" + sj("％"));
  setRate(t, 1, 0, -150);
  EXPECT_EQ(t.attributeRate[1][0], 250.0f);
  EXPECT_EQ(rateRows(t, 1)[0], "0:" + sj("火　") + "-150" + sj("％"));

  unifyRates(t, 2, 80);
  for (int j = 0; j < 3; ++j) EXPECT_EQ(t.attributeRate[2][j], 20.0f);
  EXPECT_EQ(t.attributeRate[2][3], 0.0f);  // not listed: untouched
}

TEST(AttributeEditing, ListsRunToTheLastNamedAttribute) {
  data::SceneryTable empty;
  EXPECT_EQ(listedAttributes(empty), 0);
  EXPECT_TRUE(rateRows(empty, 0).empty());
  // The choice offers the first entry to start the list.
  ASSERT_EQ(attributeChoiceItems(empty).size(), 1u);
  EXPECT_EQ(attributeChoiceItems(empty)[0], "0:");

  data::SceneryTable gap = threeAttributes();
  gap.attributeName[1].clear();  // emptied in the middle: 風 stays listed
  EXPECT_EQ(listedAttributes(gap), 3);
  EXPECT_EQ(rateRows(gap, 0).size(), 3u);
  EXPECT_EQ(attributeChoiceItems(gap).back(), "3:");

  data::SceneryTable full;
  for (auto& n : full.attributeName) n = "a";
  EXPECT_EQ(attributeChoiceItems(full).size(), 100u);  // no entry 100
}

TEST(AttributeEditing, DeleteMovesRowsAndColumnsAndClearsTheLast) {
  data::SceneryTable t = threeAttributes();
  t.attributeName[99] = "z";
  t.attributeRate[99][99] = 7;
  t.attributeRate[2][99] = 5;
  deleteAttribute(t, 0);
  EXPECT_EQ(t.attributeName[0], sj("水"));
  EXPECT_EQ(t.attributeName[1], sj("風"));
  EXPECT_EQ(t.attributeName[98], "z");
  EXPECT_TRUE(t.attributeName[99].empty());
  // Pair (水, 風) was cell (1, 2) = 12 and is now (0, 1); (風, 水) = 21 is now (1, 0).
  EXPECT_EQ(t.attributeRate[0][1], 12.0f);
  EXPECT_EQ(t.attributeRate[1][0], 21.0f);
  EXPECT_EQ(t.attributeRate[0][0], 11.0f);
  EXPECT_EQ(t.attributeRate[1][98], 5.0f);
  EXPECT_EQ(t.attributeRate[98][98], 7.0f);
  for (int k = 0; k < 100; ++k) {
    EXPECT_EQ(t.attributeRate[99][k], 0.0f);
    EXPECT_EQ(t.attributeRate[k][99], 0.0f);
  }

  data::SceneryTable last = threeAttributes();
  deleteAttribute(last, 2);
  EXPECT_EQ(listedAttributes(last), 2);
  EXPECT_EQ(last.attributeRate[1][1], 11.0f);
  EXPECT_EQ(last.attributeRate[1][2], 0.0f);
  EXPECT_EQ(last.attributeRate[2][1], 0.0f);

  data::SceneryTable end;
  end.attributeName[99] = "z";
  deleteAttribute(end, 99);  // reads nothing past entry 99
  EXPECT_EQ(listedAttributes(end), 0);
}

TEST(AttributeEditing, CancelCopyRestoresNamesAndCells) {
  data::SceneryTable t = threeAttributes();
  const AttributeBackup backup = backupAttributes(t);
  deleteAttribute(t, 1);
  setRate(t, 0, 0, 3);
  EXPECT_FALSE(sameAttributes(t, backup));
  restoreAttributes(t, backup);
  EXPECT_TRUE(sameAttributes(t, backup));
  EXPECT_EQ(t.attributeName[1], sj("水"));
}

TEST(AttributeEditing, EditedAttributesComeBackFromTheirFile) {
  data::ProjectDatabase db = data::testing::richDatabase();
  deleteAttribute(db.scenery, 1);  // attr0, attr2, attr3 remain
  setRate(db.scenery, 2, 0, 150);
  auto files = data::testing::saveToMemory(db);
  const data::ProjectDatabase back = data::testing::loadMemory(files);
  ASSERT_EQ(listedAttributes(back.scenery), 3);
  EXPECT_EQ(back.scenery.attributeName[2], "attr3");
  for (int a = 0; a < 3; ++a) EXPECT_EQ(rateRows(back.scenery, a), rateRows(db.scenery, a));
  EXPECT_EQ(back.scenery.attributeRate[2][0], -50.0f);
}

TEST(MessageEditing, TheListStopsAtTheFirstEnd) {
  data::MessageList list;
  EXPECT_TRUE(messageRows(list).empty());
  list.entries[0][0] = sj("宿屋");
  list.entries[1][0] = sj("武器屋");
  list.entries[2][0] = "END";
  list.entries[3][0] = sj("残り");
  list.entries[1][1] = "e1";
  list.entries[1][7] = "e7";
  list.entries[1][10] = "e10";
  ASSERT_EQ(messageRows(list).size(), 2u);
  EXPECT_EQ(messageChoiceItems(list)[1], "1:" + sj("武器屋"));
  EXPECT_EQ(explanationLines(list, 1), (std::vector<text::Bytes>{"e1", "e7", "", "", "e10"}));
  EXPECT_TRUE(explanationLines(list, 3).empty());

  EXPECT_FALSE(storeMessage(list, 1, sj("道具屋")));
  EXPECT_EQ(list.entries[1][0], sj("道具屋"));
  // "END" would end the list when read back; quotes would break the file.
  EXPECT_TRUE(storeMessage(list, 0, "END"));
  EXPECT_TRUE(storeMessage(list, 0, "a\"b"));
  EXPECT_TRUE(storeMessage(list, 3, "x"));  // beyond the list
  EXPECT_EQ(list.entries[0][0], sj("宿屋"));
  EXPECT_EQ(list.entries[3][0], sj("残り"));

  const auto backup = backupMessageTexts(list);
  storeMessage(list, 0, "new");
  restoreMessageTexts(list, backup);
  EXPECT_TRUE(sameMessageTexts(list, backup));
}

TEST(ObjectEditing, NewObjectsGoToTheFirstEmptyEntry) {
  Objects o = objectsNamed(3);
  o[5][0] = "77";  // behind the end: not an object
  EXPECT_EQ(usedObjects(o), 3);
  EXPECT_EQ(newObjectSlot(o), 3);
  const auto items = objectChoiceItems(o);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[3], "3:" + sj("（新規）"));

  o[3] = {"", "9", "9", "9", "4", "2"};
  initialiseNewObject(o[3], "1A");
  EXPECT_EQ(o[3], (map::ObjectEntry{"1A", "", "", "", "-1", "10"}));
  initialiseNewObject(o[0], "FF");  // an existing object is kept
  EXPECT_EQ(o[0][0], "10");

  o[1][1] = "11";
  EXPECT_EQ(objectChoiceItems(o)[1], "1:11" + sj("→") + "11");
  EXPECT_EQ(newObjectSlot(objectsNamed(256)), std::nullopt);
  EXPECT_EQ(objectChoiceItems(objectsNamed(256)).size(), 256u);
}

TEST(ObjectEditing, SelectorsStoreEventAndSpeed) {
  event::MapEvents events;
  events.lastNumber = 1;
  events.records[0].lines[0] = {sj("町"), "MES"};
  const auto items = contactEventItems(events);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0], sj("設定なし"));
  EXPECT_EQ(items[1], " 0:" + sj("町 ■ ") + "MES");

  Objects o = objectsNamed(2);
  EXPECT_EQ(contactEventRow(o[0], events), 0);
  EXPECT_EQ(speedRow(o[0]), 9);
  ObjectInput in{{"20", "21", "", ""}, 1, 29};
  EXPECT_FALSE(commitObject(o, 0, in));
  EXPECT_EQ(o[0], (map::ObjectEntry{"20", "21", "", "", "0", "30"}));
  EXPECT_EQ(contactEventRow(o[0], events), 1);
  // Untouched selectors keep the fields as they are.
  o[0][4] = "7";
  EXPECT_EQ(contactEventRow(o[0], events), -1);
  EXPECT_FALSE(commitObject(o, 0, ObjectInput{{"20", "", "", ""}, std::nullopt, std::nullopt}));
  EXPECT_EQ(o[0][4], "7");
  EXPECT_FALSE(commitObject(o, 0, ObjectInput{{"20", "", "", ""}, 0, std::nullopt}));
  EXPECT_EQ(o[0][4], "-1");
}

TEST(ObjectEditing, CommitRefusesWhatWouldLoseOrBreakObjects) {
  Objects o = objectsNamed(3);
  EXPECT_TRUE(commitObject(o, 1, ObjectInput{{"", "", "", ""}, {}, {}}));  // object 2 would be lost
  EXPECT_TRUE(commitObject(o, 1, ObjectInput{{"1\"", "", "", ""}, {}, {}}));
  EXPECT_EQ(o[1][0], "11");
  EXPECT_FALSE(commitObject(o, 2, ObjectInput{{"", "", "", ""}, {}, {}}));  // the last may go
  EXPECT_EQ(usedObjects(o), 2);
}

TEST(ObjectEditing, DeletionsMoveLaterObjectsUp) {
  Objects o = objectsNamed(4);
  deleteObject(o, 1);
  EXPECT_EQ(o[0][0], "10");
  EXPECT_EQ(o[1][0], "12");
  EXPECT_EQ(o[2][0], "13");
  EXPECT_TRUE(o[3][0].empty());
  EXPECT_EQ(usedObjects(o), 3);

  Objects full = objectsNamed(256);
  full[256][0] = "stale";
  deleteObject(full, 255);
  EXPECT_EQ(usedObjects(full), 255);
  EXPECT_EQ(full[255], map::ObjectEntry{});
  EXPECT_EQ(full[256], map::ObjectEntry{});
  deleteObject(full, 0);
  EXPECT_EQ(full[0][0], "11");
  EXPECT_EQ(usedObjects(full), 254);

  deleteAllObjects(full);
  for (const auto& entry : full) EXPECT_EQ(entry, map::ObjectEntry{});
}

TEST(ObjectEditing, FramesComeFromTheGroundBanks) {
  EXPECT_EQ(frameSource("3A", false), (map::TileSource{10 * 32, 3 * 32}));
  EXPECT_EQ(frameSource("23A", true), (map::TileSource{10 * 32, 3 * 32 + 1024}));
  EXPECT_EQ(frameSource("", true), std::nullopt);
  EXPECT_EQ(frameSource("ZZ", false), std::nullopt);
  EXPECT_EQ(frameSource("13A4", true), std::nullopt);
  map::ObjectEntry e{"01", "", "03", "", "-1", "3"};
  EXPECT_EQ(animationFrames(e), (std::vector<text::Bytes>{"01", "03"}));
  EXPECT_EQ(framePauseMs(e), 3 * kPauseMsPerSpeed);
}

TEST(ObjectEditing, AnObjectMadeAfterDeleteAllStartsClean) {
  Objects o = objectsNamed(2);
  deleteAllObjects(o);
  EXPECT_TRUE(commitObject(o, 1, ObjectInput{{"05", "", "", ""}, {}, {}}));  // 0 is empty
  EXPECT_FALSE(commitObject(o, 0, ObjectInput{{"05", "", "", ""}, {}, {}}));
  EXPECT_EQ(o[0], (map::ObjectEntry{"05", "", "", "", "-1", "10"}));
}
