// The lists of the enemy, item and magic dialogs, the animation names, the previews'
// placement and the per-player magic sounds.
#include <gtest/gtest.h>

#include "core/data/blank_project.h"
#include "core/editors/animation_names.h"
#include "core/editors/magic_sounds.h"
#include "core/editors/record_previews.h"
#include "core/editors/record_rows.h"

namespace quillane::editors {
namespace {

using text::sj;

TEST(RecordRows, AttributesRunToTheLastNamedOne) {
  data::SceneryTable s;
  s.attributeName[0] = sj("無");
  s.attributeName[1] = sj("火");
  s.attributeName[3] = sj("水");  // 2 is empty but listed: a later one has a name
  auto rows = attributeRows(s);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1], "1:" + sj("火"));
  EXPECT_EQ(rows[2], "2:");
  // An empty list still shows entry 0.
  EXPECT_EQ(attributeRows(data::SceneryTable{}).size(), 1u);
}

TEST(RecordRows, EnemySelectorsListItemsWithUsesAndMagic) {
  data::ProjectDatabase db = data::blankDatabase();
  db.items.text[0][0] = sj("薬草");
  db.items.uses[0] = 3;
  db.items.uses[1] = 2.5f;
  db.magic.text[1][0] = sj("炎");
  auto items = enemyItemRows(db);
  ASSERT_EQ(items.size(), static_cast<std::size_t>(db.max.itemKinds + 1));
  EXPECT_EQ(items[0], sj("設定無し"));
  EXPECT_EQ(items[1], "0:" + sj("薬草") + "(3)");
  EXPECT_EQ(items[2], "1:(2.5)");
  auto magic = enemyMagicRows(db);
  ASSERT_EQ(magic.size(), static_cast<std::size_t>(db.max.magicKinds + 1));
  EXPECT_EQ(magic[2], "1:" + sj("炎"));
  // A count above the table size reads no record beyond it.
  db.max.itemKinds = 500;
  EXPECT_EQ(enemyItemRows(db).size(), static_cast<std::size_t>(db.items.count() + 1));
}

TEST(RecordRows, MagicNinetyNineCannotBeAnEnemysMagic) {
  EXPECT_FALSE(refuseEnemyMagicRow(0));
  EXPECT_FALSE(refuseEnemyMagicRow(99));  // magic 98
  EXPECT_TRUE(refuseEnemyMagicRow(100));  // magic 99 = "none"
}

TEST(AnimationNames, DistinctPrefixesInOrderFound) {
  std::vector<Bytes> stems{"fire_0", "fire_1", "ice_0", "plain", "tail_", "_x", "a_b_c", "fire_2", "ICE_0"};
  EXPECT_EQ(animationNames(stems), (std::vector<Bytes>{"fire", "ice", "a", "ICE"}));
  // "ダ" is 0x83 0x5F: its trail byte is no "_"; the name splits at its real "_".
  EXPECT_EQ(animationNames({sj("ダx_0"), sj("ダン")}), (std::vector<Bytes>{sj("ダx")}));
  EXPECT_EQ(animationFrameStem("fire", 12), "fire_12");
}

TEST(AnimationNames, AtMostOneThousandAndOneNames) {
  std::vector<Bytes> stems;
  for (int i = 0; i < 1500; ++i) stems.push_back("a" + std::to_string(i) + "_0");
  auto names = animationNames(stems);
  ASSERT_EQ(names.size(), kMaxAnimationNames);
  EXPECT_EQ(names.back(), "a1000");
}

TEST(Previews, EnemyStandsCentredOnTheBand) {
  PreviewPlacement p = enemyPlacement(2, 80);
  EXPECT_EQ(p.sourceWidth, 160);
  EXPECT_EQ(p.left, 240);
  EXPECT_EQ(p.left + p.sourceWidth, 400);
  EXPECT_EQ(p.sourceHeight, 268);
  // The unit is the project's enemy image width.
  p = enemyPlacement(1, 100);
  EXPECT_EQ(p.sourceWidth, 100);
  EXPECT_EQ(p.left, 270);
  // Nothing for a size that draws nothing.
  EXPECT_EQ(enemyPlacement(0, 80).sourceWidth, 0);
  EXPECT_EQ(enemyPlacement(-3, 80).sourceWidth, 0);
  EXPECT_EQ(enemyPlacement(1e12, 80).sourceWidth, 0);
}

TEST(Previews, AnimationFrameLeftEdge) {
  EXPECT_EQ(animationPlacement(101, 50).left, 270);
  EXPECT_EQ(animationPlacement(640, 288).left, 0);
}

TEST(MagicSounds, RegisterAndAllDefault) {
  data::ProjectDatabase db = data::blankDatabase();  // 4 players: records 0..4
  db.players.name[1] = sj("勇者");
  db.magic.sound[2] = "boom";
  registerPlayerSound(db, 2, 1, "zap");
  registerPlayerSound(db, 2, 4, "kept");  // record P is not edited
  auto rows = playerSoundRows(db, 2);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1], "1:" + sj("勇者") + ":zap");
  EXPECT_EQ(db.magic.playerSound[2][4], "mgc");
  setAllPlayerSoundsToDefault(db, 2);
  for (int p = 0; p < 4; ++p) EXPECT_EQ(db.magic.playerSound[2][static_cast<std::size_t>(p)], "boom");
  EXPECT_EQ(db.magic.playerSound[2][4], "mgc");
}

}  // namespace
}  // namespace quillane::editors
