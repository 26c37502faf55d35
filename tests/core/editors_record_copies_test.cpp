// What cancel of the record dialogs restores: copies of the records an entry can change
// bring back every column of them, and nothing else is touched.
#include <gtest/gtest.h>

#include "core/data/blank_project.h"
#include "core/editors/arms_link.h"
#include "core/editors/equipment.h"
#include "core/editors/record_copies.h"

namespace quillane::editors {
namespace {

// Item 3 linked to arms record 1 (record 0 free) and worn by player 0.
data::ProjectDatabase linkedItem() {
  data::ProjectDatabase db = data::blankDatabase();
  db.items.armsIndex[3] = 2;
  db.items.armsIndex[4] = 3;
  db.arms.part[1] = 1;
  db.arms.attack[1] = 40;
  db.arms.attack[0] = 7;  // left over in the free record
  db.arms.permission[1][0] = 1;
  db.players.heldItemCount[0] = 1;
  db.players.heldItem[0][0] = 3;
  db.players.equippedMark[0][0] = 2;
  db.players.equipment[0][1] = 4;
  return db;
}

TEST(RecordCopies, CancelAfterUnlinkingAndLinkingAgainRestoresEverything) {
  data::ProjectDatabase db = linkedItem();
  const data::ProjectDatabase before = db;
  ItemEntryCopies copies;
  copies.take(db, 3);
  // Unticking "武器" takes the item off the player; ticking again links the first free
  // record (0), which starts from the arms defaults.
  EXPECT_EQ(applyWeaponBox(db, 3, false), WeaponChange::Unlinked);
  EXPECT_EQ(db.players.equipment[0][1], 0);
  EXPECT_EQ(applyWeaponBox(db, 3, true), WeaponChange::Linked);
  EXPECT_EQ(db.items.armsIndex[3], 1);
  db.items.text[3][0] = "renamed";
  db.items.price[3] = 99;
  db.arms.attack[0] = 12;
  copies.restore(db);
  EXPECT_TRUE(db.items == before.items);
  EXPECT_TRUE(db.arms == before.arms);
  EXPECT_TRUE(db.players == before.players);
}

TEST(RecordCopies, RestoreWritesOnlyTheKeptRecords) {
  data::ProjectDatabase db = data::blankDatabase();
  db.magic.text[2][0] = "fire";
  db.magic.playerSound[2][1] = "boom";
  RecordCopies<data::MagicTable> copy;
  copy.keep(db.magic, 2);
  copy.keep(db.magic, 2);                  // once is enough
  copy.keep(db.magic, db.magic.count());   // past the table: nothing to keep
  db.magic.text[2][0] = "ice";
  db.magic.playerSound[2][1] = "";
  db.magic.effect[2] = "EAS";
  db.magic.text[1][0] = "kept";  // another record's edit is not the copy's business
  copy.restore(db.magic);
  EXPECT_EQ(db.magic.text[2][0], "fire");
  EXPECT_EQ(db.magic.playerSound[2][1], "boom");
  EXPECT_EQ(db.magic.effect[2], data::blankDatabase().magic.effect[2]);
  EXPECT_EQ(db.magic.text[1][0], "kept");
  EXPECT_TRUE(copy.keeps(2));
  EXPECT_FALSE(copy.keeps(1));
}

}  // namespace
}  // namespace quillane::editors
