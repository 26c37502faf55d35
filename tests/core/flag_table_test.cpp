#include <gtest/gtest.h>

#include "core/data/random_source.h"
#include "core/event/flag_table_editor.h"
#include "core/map/map_flag_file.h"

using namespace quillane::event;

namespace {

FlagCondition cond(int map, int event, const char* op, int line) {
  FlagCondition c;
  c.map = map;
  c.event = event;
  c.op = op;
  c.line = line;
  return c;
}

FlagAction flagStep(int map, int event, int line) {
  FlagAction a;
  a.kind = "F";
  a.value1 = map;
  a.value2 = event;
  a.value3 = line;
  return a;
}

FlagEntry entryOn(int map, int event) {
  FlagEntry e;
  e.conditions[0] = cond(map, event, ">=", 4);
  e.steps = {flagStep(map, event, 1), flagStep(map, event + 1, 2)};
  return e;
}

}  // namespace

TEST(FlagTable, EmptyTableOpensWithNothingChosenAndAddCreatesEntryZero) {
  std::vector<FlagEntry> table;
  FlagTableEditor ed(table);
  EXPECT_EQ(ed.currentEntry(), -1);
  EXPECT_EQ(ed.chooseEntry(0), FlagEdit::Done);
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(ed.currentEntry(), 0);
  EXPECT_EQ(ed.currentStep(), -1);
  const FlagEntry& e = table[0];
  EXPECT_EQ(e.conditions[0].map, 0);
  EXPECT_EQ(e.conditions[0].op, "=");
  EXPECT_EQ(e.conditions[0].event, 0);
  EXPECT_EQ(e.conditions[0].line, 0);
  EXPECT_TRUE(e.conditions[1].empty());
  EXPECT_TRUE(e.conditions[2].empty());
  EXPECT_TRUE(e.steps.empty());
}

TEST(FlagTable, DeleteOnTheOnlyConditionResetsItsEventAndLine) {
  std::vector<FlagEntry> table = {entryOn(3, 7)};
  FlagTableEditor ed(table);
  EXPECT_EQ(ed.setConditionMap(0, std::nullopt), FlagEdit::Done);
  const FlagCondition& c = table[0].conditions[0];
  EXPECT_EQ(c.map, 3);
  EXPECT_EQ(c.event, 0);
  EXPECT_EQ(c.line, 0);
  EXPECT_EQ(c.op, ">=");
  EXPECT_EQ(ed.conditionCount(), 1);
}

TEST(FlagTable, DeleteOnTheFirstOfTwoMovesTheSecondUp) {
  std::vector<FlagEntry> table = {entryOn(3, 7)};
  table[0].conditions[1] = cond(5, 2, "<>", 9);
  FlagTableEditor ed(table);
  EXPECT_EQ(ed.setConditionMap(0, std::nullopt), FlagEdit::Done);
  const FlagCondition& c = table[0].conditions[0];
  EXPECT_EQ(c.map, 5);
  EXPECT_EQ(c.event, 2);
  EXPECT_EQ(c.op, "<>");
  EXPECT_EQ(c.line, 9);
  EXPECT_TRUE(table[0].conditions[1].empty());
  EXPECT_EQ(ed.conditionCount(), 1);
}

TEST(FlagTable, MapInTheAddSlotCreatesACondition) {
  std::vector<FlagEntry> table = {entryOn(3, 7)};
  FlagTableEditor ed(table);
  // Slot 2 is not offered while slot 1 is empty.
  EXPECT_EQ(ed.setConditionMap(2, 4), FlagEdit::Unchanged);
  EXPECT_EQ(ed.setConditionMap(1, 4), FlagEdit::Done);
  const FlagCondition& c = table[0].conditions[1];
  EXPECT_EQ(c.map, 4);
  EXPECT_EQ(c.op, "=");
  EXPECT_EQ(c.event, 0);
  EXPECT_EQ(c.line, 0);
  EXPECT_TRUE(table[0].conditions[2].empty());
  EXPECT_EQ(ed.conditionCount(), 2);
  // Choosing an event resets the line; choosing a map resets both.
  ed.setConditionLine(1, 6);
  ed.setConditionEvent(1, 2);
  EXPECT_EQ(c.line, 0);
  ed.setConditionLine(1, 6);
  ed.setConditionMap(1, 8);
  EXPECT_EQ(c.event, 0);
  EXPECT_EQ(c.line, 0);
  EXPECT_EQ(c.op, "=");
}

TEST(FlagTable, MapNinetyNineIsRefusedForAConditionButNotForAFlagChange) {
  std::vector<FlagEntry> table = {entryOn(3, 7)};
  FlagTableEditor ed(table);
  EXPECT_EQ(ed.setConditionMap(0, 99), FlagEdit::MapIsListEnd);
  EXPECT_EQ(ed.setConditionMap(1, 99), FlagEdit::MapIsListEnd);
  EXPECT_EQ(table[0].conditions[0].map, 3);
  EXPECT_TRUE(table[0].conditions[1].empty());
  EXPECT_EQ(ed.setStepMap(99), FlagEdit::Done);
  EXPECT_EQ(table[0].steps[0].value1, 99);
}

TEST(FlagTable, AddingIsRefusedAtSixtyEntriesAndThirtySteps) {
  std::vector<FlagEntry> table(59, entryOn(1, 1));
  FlagTableEditor ed(table);
  EXPECT_EQ(ed.chooseEntry(59), FlagEdit::Done);
  EXPECT_EQ(ed.chooseEntry(60), FlagEdit::TooManyEntries);
  EXPECT_EQ(table.size(), 60u);
  EXPECT_EQ(ed.currentEntry(), 59);
  for (int i = 0; i < 30; ++i) ASSERT_EQ(ed.chooseStep(i), FlagEdit::Done);
  EXPECT_EQ(ed.chooseStep(30), FlagEdit::TooManySteps);
  EXPECT_EQ(table[59].steps.size(), 30u);
  EXPECT_EQ(table[59].steps[29].kind, "F");
}

TEST(FlagTable, StepKindsResetAndPickedKindsNeedAPick) {
  std::vector<FlagEntry> table = {entryOn(3, 7)};
  FlagTableEditor ed(table);
  FlagAction& s = table[0].steps[0];
  // A cancelled pick leaves the step as it was.
  EXPECT_EQ(ed.setStepKind("C"), FlagEdit::Unchanged);
  EXPECT_EQ(s.kind, "F");
  EXPECT_EQ(s.value1, 3);
  EXPECT_EQ(ed.setStepKind("C", CellPick{4, 5, "12A"}), FlagEdit::Done);
  EXPECT_EQ(s.kind, "C");
  EXPECT_EQ(s.value1, 4);
  EXPECT_EQ(s.value2, 5);
  EXPECT_EQ(s.value3, 0);
  EXPECT_EQ(s.text1, "12A");

  EXPECT_EQ(ed.setStepKind("E", CellPick{1, 2, "3F"}), FlagEdit::Done);
  EXPECT_EQ(s.value3, 8);
  EXPECT_EQ(s.text2, "0");
  EXPECT_EQ(s.text3, "0");
  ed.setStepSpeed(4);
  ed.setStepMovement(13);
  ed.setStepEvent(6);
  EXPECT_EQ(ed.setStepMovement(11), FlagEdit::Unchanged);
  EXPECT_EQ(ed.setStepSpeed(3), FlagEdit::Unchanged);
  // Choosing "E" again keeps the values and takes the new pick only.
  ed.setStepKind("E", CellPick{9, 8, "40"});
  EXPECT_EQ(s.value1, 9);
  EXPECT_EQ(s.value2, 8);
  EXPECT_EQ(s.value3, 4);
  EXPECT_EQ(s.text1, "40");
  EXPECT_EQ(s.text2, "13");
  EXPECT_EQ(s.text3, "6");

  ed.setStepKind("D");
  EXPECT_EQ(s.kind, "D");
  EXPECT_EQ(s.value1, 0);
  EXPECT_TRUE(s.text1.empty() && s.text2.empty() && s.text3.empty());
  ed.setStepEvent(5);
  EXPECT_EQ(s.value1, 5);
}

TEST(FlagTable, ReorderStopsAtTheEndsAndKeepsTheMovedItemChosen) {
  std::vector<FlagEntry> table = {entryOn(1, 1), entryOn(2, 2), entryOn(3, 3)};
  FlagTableEditor ed(table);
  EXPECT_EQ(ed.moveEntry(-1), FlagEdit::Unchanged);
  ed.chooseEntry(2);
  EXPECT_EQ(ed.moveEntry(1), FlagEdit::Unchanged);
  EXPECT_EQ(table[2].conditions[0].map, 3);
  EXPECT_EQ(ed.moveEntry(-1), FlagEdit::Done);
  EXPECT_EQ(ed.currentEntry(), 1);
  EXPECT_EQ(table[1].conditions[0].map, 3);
  EXPECT_EQ(table[1].steps[1].value2, 4);  // steps travel with their entry
  EXPECT_EQ(table[2].conditions[0].map, 2);

  EXPECT_EQ(ed.moveStep(-1), FlagEdit::Unchanged);
  EXPECT_EQ(ed.moveStep(1), FlagEdit::Done);
  EXPECT_EQ(ed.currentStep(), 1);
  EXPECT_EQ(table[1].steps[0].value2, 4);
  EXPECT_EQ(ed.moveStep(1), FlagEdit::Unchanged);
}

TEST(FlagTable, DeletingChoosesTheNextItemOrNothingAtTheEnd) {
  std::vector<FlagEntry> table = {entryOn(1, 1), entryOn(2, 2), entryOn(3, 3)};
  FlagTableEditor ed(table);
  ed.chooseEntry(1);
  EXPECT_EQ(ed.deleteEntry(), FlagEdit::Done);
  EXPECT_EQ(ed.currentEntry(), 1);
  EXPECT_EQ(table[1].conditions[0].map, 3);
  EXPECT_EQ(ed.deleteEntry(), FlagEdit::Done);
  EXPECT_EQ(ed.currentEntry(), -1);
  EXPECT_EQ(ed.deleteEntry(), FlagEdit::Unchanged);
  ASSERT_EQ(table.size(), 1u);

  ed.chooseEntry(0);
  ed.chooseStep(1);
  EXPECT_EQ(ed.deleteStep(), FlagEdit::Done);
  EXPECT_EQ(ed.currentStep(), -1);
  ed.chooseStep(0);
  EXPECT_EQ(ed.deleteStep(), FlagEdit::Done);
  EXPECT_TRUE(table[0].steps.empty());
}

TEST(FlagTable, ClearAllThenCancelRestoresTheOpeningTable) {
  std::vector<FlagEntry> table = {entryOn(1, 1), entryOn(2, 2)};
  table[1].conditions[1] = cond(4, 4, "<", 4);
  const std::vector<FlagEntry> original = table;
  FlagTableEditor ed(table);
  EXPECT_FALSE(ed.edited());
  ed.chooseEntry(1);
  ed.setConditionMap(0, std::nullopt);
  EXPECT_FALSE(sameFlagTables(table, original));
  EXPECT_TRUE(ed.edited());
  ed.clearAll();
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(ed.currentEntry(), -1);
  ed.chooseEntry(0);
  ed.cancel();
  EXPECT_TRUE(sameFlagTables(table, original));
  EXPECT_FALSE(ed.edited());
  EXPECT_EQ(ed.currentEntry(), 0);
}

TEST(FlagTable, PickedCodesAndMovementEntries) {
  EXPECT_EQ(pickedCharacterCode(1, 10, 1, false), "1A");
  EXPECT_EQ(pickedCharacterCode(1, 10, 2, true), "11A");
  EXPECT_EQ(pickedCharacterCode(15, 15, 3, true), "2FF");
  EXPECT_EQ(movementCodeOfEntry(10), 10);
  EXPECT_EQ(movementCodeOfEntry(11), 12);
  EXPECT_EQ(movementCodeOfEntry(17), 18);
  EXPECT_EQ(movementCodeOfEntry(18), -1);
  EXPECT_EQ(entryOfMovementCode(11), -1);
  EXPECT_EQ(entryOfMovementCode(13), 12);
}

TEST(FlagTable, AnEditedTableIsSavedAndReadBackUnchanged) {
  std::vector<FlagEntry> table;
  FlagTableEditor ed(table);
  ed.chooseEntry(0);
  ed.setConditionEvent(0, 4);
  ed.setConditionOperator(0, "<>");
  ed.setConditionLine(0, 12);
  ed.setConditionMap(1, 7);
  ed.setConditionMap(2, 0);
  ed.chooseStep(0);
  ed.setStepMap(3);
  ed.setStepEvent(2);
  ed.setStepLine(9);
  ed.chooseStep(1);
  ed.setStepKind("C", CellPick{10, 20, "21F"});
  ed.chooseStep(2);
  ed.setStepKind("E", CellPick{5, 6, "0A"});
  ed.setStepMovement(16);
  ed.setStepSpeed(2);
  ed.setStepEvent(3);
  ed.chooseStep(3);
  ed.setStepKind("D");
  ed.setStepEvent(1);
  ed.chooseEntry(1);
  ed.setConditionMap(0, 2);
  ed.setConditionOperator(0, ">");

  quillane::map::MapFileContext context;
  context.keys = {11, 22, 33, 44, 55, 66};
  quillane::data::RandomSource random(7);
  Bytes file = quillane::map::writeMapFlagFile(table, context, random);
  std::vector<FlagEntry> back = quillane::map::readMapFlagFile(file, "BZENE001.dat", context, 340);
  EXPECT_TRUE(sameFlagTables(back, table));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].steps.size(), 4u);
}
