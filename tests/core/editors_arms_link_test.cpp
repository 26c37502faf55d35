// Items as weapons and armour: linking and unlinking arms records, the part selector,
// and who may equip a record.
#include <gtest/gtest.h>

#include "core/data/blank_project.h"
#include "core/editors/arms_link.h"
#include "core/editors/equipment.h"

namespace quillane::editors {
namespace {

// Blank project; item 3 is linked to arms record 1 and equipped by players 0 and 2,
// who also hold item 5.
data::ProjectDatabase equippedProject() {
  data::ProjectDatabase db = data::blankDatabase();
  db.items.armsIndex[3] = 2;
  db.arms.part[1] = 1;
  for (std::size_t p : {0u, 2u}) {
    db.players.heldItemCount[p] = 2;
    db.players.heldItem[p][0] = 5;
    db.players.heldItem[p][1] = 3;
    db.players.equippedMark[p][1] = 2;
    db.players.equipment[p][1] = 4;  // item 3 + 1 in the armour slot
  }
  return db;
}

void expectTakenOffButHeld(const data::ProjectDatabase& db) {
  for (std::size_t p : {0u, 2u}) {
    EXPECT_EQ(db.players.equipment[p][1], 0) << "player " << p;
    EXPECT_EQ(db.players.equippedMark[p][1], 0) << "player " << p;
    EXPECT_EQ(db.players.heldItem[p][1], 3) << "player " << p;
    EXPECT_EQ(db.players.heldItemCount[p], 2) << "player " << p;
  }
}

TEST(ArmsLink, PartSelectorSkipsCodeFour) {
  EXPECT_EQ(partCode(4), 5);  // "他"
  EXPECT_EQ(partCode(5), 6);  // "両手"
  EXPECT_EQ(partRow(5), 4);
  EXPECT_EQ(partRow(6), 5);
  EXPECT_FALSE(partRow(4));
  EXPECT_FALSE(partRow(2.5f));
  EXPECT_EQ(partRows().size(), 6u);
}

TEST(ArmsLink, UntickingTakesTheItemOffEveryPlayerAndKeepsItHeld) {
  data::ProjectDatabase db = equippedProject();
  db.arms.attack[1] = 40;
  EXPECT_EQ(applyWeaponBox(db, 3, true), WeaponChange::None);
  EXPECT_EQ(applyWeaponBox(db, 3, false), WeaponChange::Unlinked);
  EXPECT_EQ(db.items.armsIndex[3], 0);
  expectTakenOffButHeld(db);
  EXPECT_EQ(db.arms.attack[1], 40);  // the record keeps its values until it is linked again
}

TEST(ArmsLink, ChangingThePartTakesTheItemOffEveryPlayer) {
  data::ProjectDatabase db = equippedProject();
  changePart(db, 3, 4);
  EXPECT_EQ(db.arms.part[1], 5);
  expectTakenOffButHeld(db);
  EXPECT_EQ(db.items.armsIndex[3], 2);
}

TEST(ArmsLink, TickingLinksTheFirstFreeRecordAsANewOne) {
  data::ProjectDatabase db = equippedProject();
  db.items.armsIndex[7] = 1;  // record 0 taken too
  // Record 2 holds an old weapon's values and permissions: linking starts it anew.
  db.arms.attack[2] = 99;
  db.arms.part[2] = 6;
  db.arms.permission[2][1] = 1;
  db.arms.attackSound[2] = "old";
  db.arms.attacks[2] = 4;
  EXPECT_EQ(freeArmsRecord(db), 2);
  EXPECT_EQ(applyWeaponBox(db, 0, true), WeaponChange::Linked);
  EXPECT_EQ(db.items.armsIndex[0], 3);
  EXPECT_EQ(armsRecordOf(db, 0), 2);
  EXPECT_EQ(db.arms.attack[2], 0);
  EXPECT_EQ(db.arms.part[2], 0);
  EXPECT_EQ(db.arms.permission[2][1], 0);
  EXPECT_EQ(db.arms.attackSound[2], "ATC");
  EXPECT_EQ(db.arms.attacks[2], 1);
}

TEST(ArmsLink, TickingWithEveryRecordTakenChangesNothing) {
  data::ProjectDatabase db = data::blankDatabase();
  for (int i = 0; i < db.max.armsKinds; ++i) db.items.armsIndex[static_cast<std::size_t>(i)] = static_cast<float>(i + 1);
  const data::ProjectDatabase before = db;
  EXPECT_FALSE(freeArmsRecord(db));
  EXPECT_EQ(applyWeaponBox(db, 15, true), WeaponChange::NoFreeRecord);
  EXPECT_TRUE(db.items == before.items);
  EXPECT_TRUE(db.arms == before.arms);
}

TEST(ArmsLink, IndicesBeyondTheTableTakeNoRecord) {
  data::ProjectDatabase db = data::blankDatabase();
  db.items.armsIndex[0] = 500;  // left from a larger arms table
  db.items.armsIndex[1] = 1.5f;
  EXPECT_EQ(armsRecordOf(db, 0), -1);
  EXPECT_EQ(freeArmsRecord(db), 0);
  // Unticking such an item still takes it out of equipment.
  EXPECT_EQ(applyWeaponBox(db, 0, false), WeaponChange::Unlinked);
  EXPECT_EQ(db.items.armsIndex[0], 0);
}

TEST(ArmsLink, PermissionListAddAndRemove) {
  data::ProjectDatabase db = data::blankDatabase();  // players 0..3 listed, record 4 kept
  permitPlayer(db, 1, 3);
  permitPlayer(db, 1, 0);
  permitPlayer(db, 1, 4);  // record P is not listed: no change
  permitPlayer(db, 1, -1);
  EXPECT_EQ(permittedPlayers(db, 1), (std::vector<int>{0, 3}));
  EXPECT_EQ(db.arms.permission[1][4], 0);
  // Row 1 of "装備可能者" is the second permitted player.
  revokePermittedRow(db, 1, 1);
  EXPECT_EQ(permittedPlayers(db, 1), (std::vector<int>{0}));
  revokePermittedRow(db, 1, 5);
  EXPECT_EQ(permittedPlayers(db, 1), (std::vector<int>{0}));
}

}  // namespace
}  // namespace quillane::editors
