#include <gtest/gtest.h>

#include "core/editors/equipment.h"

namespace quillane::editors {
namespace {

// Items 0..5: 0 sword (part 0), 1 great sword (part 6), 2 shield (part 2), 3 helmet
// (part 3), 4 herb (no arms record), 5 forbidden armour (part 1, player 0 may not).
// Player 0 holds 0, 1, 2, 4, 3, 5.
struct Party {
  data::ProjectDatabase db;
  Party() {
    db.max.players = 2;
    db.max.itemKinds = 10;
    db.max.armsKinds = 5;
    db.max.itemsHeld = 6;
    db.fitToCounts();
    const float arms[] = {1, 2, 3, 4, 0, 5};
    const float parts[] = {0, 6, 2, 3, 1};
    for (int i = 0; i < 6; ++i) {
      db.items.armsIndex[i] = arms[i];
      db.items.uses[i] = static_cast<float>(10 + i);
    }
    for (int a = 0; a < 5; ++a) {
      db.arms.part[a] = parts[a];
      for (float& p : db.arms.permission[a]) p = 1;
    }
    db.arms.permission[4][0] = 0;
    for (int item : {0, 1, 2, 4, 3, 5}) EXPECT_TRUE(addHeldItem(db, 0, item));
  }
  std::array<float, 6>& slots() { return db.players.equipment[0]; }
  std::vector<float>& marks() { return db.players.equippedMark[0]; }
};

TEST(Equipment, PartsWriteTheirSlots) {
  EXPECT_EQ(slotOfPart(0), 0);
  EXPECT_EQ(slotOfPart(6), 0);
  EXPECT_EQ(slotOfPart(2), 2);
  EXPECT_EQ(slotOfPart(5), 5);
  EXPECT_EQ(slotOfPart(4), -1);
}

TEST(Equipment, SelectorsListPermittedHeldEntriesOfTheirPart) {
  Party p;
  EXPECT_EQ(equipChoices(p.db, 0, 0).places, (std::vector<int>{0, 1}));  // sword and great sword
  EXPECT_EQ(equipChoices(p.db, 0, 2).places, (std::vector<int>{2}));
  EXPECT_TRUE(equipChoices(p.db, 0, 1).places.empty());  // the armour is not permitted
  EXPECT_EQ(equipChoices(p.db, 1, 1).places.size(), 0u);  // player 1 holds nothing
  // An equipped item the list does not offer is shown as one more row.
  p.slots()[1] = 6;
  EquipChoices armour = equipChoices(p.db, 0, 1);
  EXPECT_EQ(armour.outside, 5);
  EXPECT_EQ(armour.shown, 1);
  applyEquipRow(p.db, 0, 1, armour.shown);  // that row changes nothing
  EXPECT_EQ(p.slots()[1], 6);
  // A slot naming no item shows "なし".
  p.slots()[3] = 77;
  EXPECT_EQ(equipChoices(p.db, 0, 3).shown, 0);
  EXPECT_FALSE(equipChoices(p.db, 0, 3).outside);
}

TEST(Equipment, TwoHandedWeaponTakesTheShieldOffAndLocksIt) {
  Party p;
  applyEquipRow(p.db, 0, 2, 1);  // shield on
  EXPECT_EQ(p.slots()[2], 3);
  EXPECT_EQ(p.marks()[2], 2);
  applyEquipRow(p.db, 0, 0, 2);  // the great sword
  EXPECT_EQ(p.slots()[0], 2);
  EXPECT_EQ(p.marks()[1], 2);
  EXPECT_EQ(p.slots()[2], 0);
  EXPECT_EQ(p.marks()[2], 0);
  EXPECT_TRUE(holdsTwoHanded(p.db, 0));
  applyEquipRow(p.db, 0, 0, 1);  // back to the sword: one mark in the weapon list
  EXPECT_EQ(p.marks()[0], 2);
  EXPECT_EQ(p.marks()[1], 0);
  EXPECT_FALSE(holdsTwoHanded(p.db, 0));
  applyEquipRow(p.db, 0, 0, 0);
  EXPECT_EQ(p.slots()[0], 0);
  EXPECT_EQ(p.marks()[0], 0);
  applyEquipRow(p.db, 0, 0, 9);  // beyond the list: ignored
  EXPECT_EQ(p.slots()[0], 0);
}

TEST(Equipment, RemovingAnEquippedEntryEmptiesItsSlotAndClosesTheGap) {
  Party p;
  applyEquipRow(p.db, 0, 0, 2);  // great sword (part 6) in slot 0
  applyEquipRow(p.db, 0, 3, 1);  // helmet, held place 4
  ASSERT_TRUE(removeHeldItem(p.db, 0, 1));
  EXPECT_EQ(p.slots()[0], 0);
  EXPECT_EQ(p.slots()[3], 4);
  EXPECT_EQ(p.db.players.heldItemCount[0], 5);
  EXPECT_EQ(p.db.players.heldItem[0], (std::vector<float>{0, 2, 4, 3, 5, 0}));
  EXPECT_EQ(p.marks(), (std::vector<float>{0, 0, 0, 2, 0, 0}));  // the helmet's mark moved with it
  EXPECT_EQ(p.db.players.uses[0][3], 13);
  EXPECT_FALSE(removeHeldItem(p.db, 0, 5));
}

TEST(Equipment, HeldListIsBoundedByTheMaximum) {
  Party p;
  EXPECT_FALSE(addHeldItem(p.db, 0, 0));  // six of six
  EXPECT_FALSE(addHeldItem(p.db, 1, 10));  // no such item kind
  p.db.max.itemsHeld = 5;                  // lowered below the places there are
  EXPECT_FALSE(addHeldItem(p.db, 1, 0) && addHeldItem(p.db, 1, 0) && addHeldItem(p.db, 1, 0) &&
               addHeldItem(p.db, 1, 0) && addHeldItem(p.db, 1, 0) && addHeldItem(p.db, 1, 0));
  EXPECT_EQ(p.db.players.heldItemCount[1], 5);
}

TEST(Equipment, TakingAnItemOffEveryPlayerKeepsItHeld) {
  Party p;
  addHeldItem(p.db, 1, 0);
  applyEquipRow(p.db, 0, 0, 1);
  applyEquipRow(p.db, 1, 0, 1);
  takeOffEveryPlayer(p.db, 0);
  EXPECT_EQ(p.slots()[0], 0);
  EXPECT_EQ(p.db.players.equipment[1][0], 0);
  EXPECT_EQ(p.marks()[0], 0);
  EXPECT_EQ(p.db.players.equippedMark[1][0], 0);
  EXPECT_EQ(p.db.players.heldItem[1][0], 0);
  EXPECT_EQ(p.db.players.heldItemCount[1], 1);
}

}  // namespace
}  // namespace quillane::editors
