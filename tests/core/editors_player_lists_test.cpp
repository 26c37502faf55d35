#include <gtest/gtest.h>

#include "core/editors/level_table_rows.h"
#include "core/editors/player_lists.h"
#include "core/editors/record_rows.h"

namespace quillane::editors {
namespace {

using text::sj;

TEST(LevelTableRows, NumbersAreRightAlignedOrShownWhole) {
  EXPECT_EQ(rightAligned(3, 5), "  5");
  EXPECT_EQ(rightAligned(3, -5), " -5");
  EXPECT_EQ(rightAligned(3, 42), " 42");
  EXPECT_EQ(rightAligned(3, 123), " 123");    // wider than the field: whole
  EXPECT_EQ(rightAligned(3, -250), "-250");
  EXPECT_EQ(rightAligned(5, 2.5), "    3");  // rounded half away from zero
}

TEST(LevelTableRows, MagicNamesAreCutAtAWholeCharacter) {
  data::MagicTable m;
  m.resize(3, 1);
  m.text[0][0] = sj("ファイア");
  m.text[1][0] = "A" + sj("ファイアボール");  // the 12th byte is the first half of "ー"
  EXPECT_EQ(magicColumn(m, 3, 0), sj("－－－－－－"));
  EXPECT_EQ(magicColumn(m, 3, 1), sj("ファイア　　"));
  EXPECT_EQ(magicColumn(m, 3, 2), "A" + sj("ファイアボ") + " ");
  EXPECT_EQ(magicColumn(m, 3, 2).size(), 12u);
  EXPECT_EQ(magicColumn(m, 2, 3), sj("－－－－－－"));  // beyond the magic kinds
}

TEST(LevelTableRows, RowsCarryIncrementsAndRunningSums) {
  data::ProjectDatabase db;
  db.max.players = 1;
  db.max.levels = 4;
  db.max.magicKinds = 10;
  db.fitToCounts();
  db.magic.text[0][0] = sj("ケア");
  auto& p = db.players;
  p.level[0] = 2;
  p.maxHp[0] = 30, p.maxMp[0] = 5, p.attack[0] = 7, p.defence[0] = 6, p.magicDefence[0] = 4;
  p.hitRate[0] = 90, p.speed[0] = 3, p.nextExperience[0] = 10;
  auto& l = db.levels;
  std::ranges::copy(std::array<float, 4>{99, 4, -3, 0}, l.hpGain[0].begin());
  std::ranges::copy(std::array<std::int32_t, 4>{0, 20, 123456, 0}, l.experience[0].begin());
  std::ranges::copy(std::array<float, 4>{0, 1, 0, 0}, l.magicLearned[0].begin());
  const auto rows = levelTableRows(db, 0);
  ASSERT_EQ(rows.size(), 2u);  // levels 3 and 4
  EXPECT_EQ(rows[0], "  3|  4|  0|  0|  0|  0|  0|  0|   20|" + sj("ケア　　　　") + "|   34|    5|    7|    6|    4|   90|    3|    30");
  EXPECT_EQ(rows[1], "  4| -3|  0|  0|  0|  0|  0|  0| 123456|" + sj("－－－－－－") + "|   31|    5|    7|    6|    4|   90|    3| 123486");
  p.level[0] = 4;
  EXPECT_TRUE(levelTableRows(db, 0).empty());
  p.level[0] = 0;  // clamped to 1 for the table
  EXPECT_EQ(levelTableRows(db, 0).size(), 3u);
}

TEST(BattleMenu, InsertRemoveAndMoveKeepTheListEnd) {
  BattleMenu m{1, 2, 4, 0, 9, 9, 9, 9, 9, 9, 9};
  EXPECT_EQ(battleMenuLength(m), 3);
  EXPECT_EQ(insertBattleCommand(m, 1, 7), 1);
  EXPECT_EQ((BattleMenu{1, 7, 2, 4, 0, 9, 9, 9, 9, 9, 9}), m);
  EXPECT_EQ(insertBattleCommand(m, -1, 5), 4);
  EXPECT_EQ(battleMenuLength(m), 5);
  EXPECT_TRUE(removeBattleCommand(m, 0));
  EXPECT_EQ((BattleMenu{7, 2, 4, 5, 0, 9, 9, 9, 9, 0, 0}), m);  // place 10 emptied first
  EXPECT_FALSE(removeBattleCommand(m, 10));
  EXPECT_EQ(moveBattleCommand(m, 0, -1), -1);
  EXPECT_EQ(moveBattleCommand(m, 0, 1), 1);
  EXPECT_EQ(m[1], 7);
  EXPECT_EQ(moveBattleCommand(m, 9, 1), -1);  // the last shown entry
}

TEST(BattleMenu, AFullMenuTakesNoMoreEntries) {
  BattleMenu m{1, 2, 3, 4, 5, 6, 7, 1, 2, 3, 0};
  EXPECT_EQ(battleMenuLength(m), 10);
  EXPECT_EQ(insertBattleCommand(m, 0, 6), -1);
  EXPECT_EQ(m[0], 1);
  EXPECT_EQ(m[10], 0);
  EXPECT_EQ(battleCommandCaption(3), sj("得意技"));
  EXPECT_EQ(battleCommandCaption(12), "12");
}

TEST(PlayerLists, HeldMagicAndEntryTexts) {
  data::ProjectDatabase db;
  db.max.magicHeld = 5;
  db.max.magicKinds = 10;
  db.max.itemKinds = 10;
  db.fitToCounts();
  db.magic.text[2][0] = sj("ケア");
  db.items.text[1][0] = sj("やくそう");
  db.items.uses[1] = 3;
  for (int k = 0; k < 5; ++k) EXPECT_TRUE(addHeldMagic(db, 0, 2));
  EXPECT_FALSE(addHeldMagic(db, 0, 2));
  EXPECT_FALSE(addHeldMagic(db, 1, 10));
  EXPECT_TRUE(removeHeldMagic(db, 0, 0));
  EXPECT_EQ(heldMagicCount(db, 0), 4);
  EXPECT_EQ(heldMagicRows(db, 0)[0], "2:" + sj("ケア"));
  EXPECT_EQ(itemCatalogue(db)[1], "1:" + sj("やくそう") + "(3)");
  EXPECT_EQ(itemEntry(db, 40), "40:");  // a reference past the table shows its number only
  db.scenery.attributeName[0] = sj("無");
  db.scenery.attributeName[2] = sj("火");
  EXPECT_EQ(attributeRows(db.scenery), (std::vector<Bytes>{"0:" + sj("無"), "1:", "2:" + sj("火")}));
}

}  // namespace
}  // namespace quillane::editors
