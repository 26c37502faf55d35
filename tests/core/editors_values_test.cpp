// The maximum values (clamps, growth with clean records, refused shrinks), the
// encodings of the initial values, and the two attack-rate presets.
#include <gtest/gtest.h>

#include "core/data/blank_project.h"
#include "core/editors/attack_rates.h"
#include "core/editors/initial_values.h"
#include "core/editors/max_values.h"
#include "data_fixtures.h"

namespace quillane::editors {
namespace {

using data::MaxValues;
using data::ProjectDatabase;
using text::sj;
namespace fixtures = data::testing;

std::array<double, kMaxValueFields> typedOf(const MaxValues& m) {
  std::array<double, kMaxValueFields> typed{};
  for (int k = 0; k < kMaxValueFields; ++k) typed[k] = m.*maxValueFields()[k].count;
  return typed;
}

MaxValues with(const ProjectDatabase& db, int MaxValues::*count, int value) {
  MaxValues m = db.max;
  m.*count = value;
  return m;
}

TEST(MaxValues, TypedSizesAreClampedToTheirRanges) {
  ProjectDatabase db = data::blankDatabase();
  auto typed = typedOf(db.max);
  typed[0] = 0;     // players
  typed[1] = 51;    // magic held
  typed[3] = 1e12;  // levels: far beyond an int
  typed[9] = -5;    // events
  MaxValues next = clampMaxValues(db.max, typed);
  EXPECT_EQ(next.players, 1);
  EXPECT_EQ(next.magicHeld, 50);
  EXPECT_EQ(next.levels, 999);
  EXPECT_EQ(next.events, 10);
  typed[0] = 120;
  EXPECT_EQ(clampMaxValues(db.max, typed).players, 98);
  // The scenery entries follow a larger map count.
  typed[7] = 40;
  EXPECT_EQ(clampMaxValues(db.max, typed).scenery, 40);
}

TEST(MaxValues, GrowingPlayersGivesNamedCleanRecordsAndTheirColumnsInEveryTable) {
  ProjectDatabase db = fixtures::richDatabase();  // every field holds a value of its own
  applyMaxValues(db, with(db, &MaxValues::players, 3));
  db.players.name[3] = "stale";
  db.levels.hpGain[3][0] = 77;
  // Shrink and grow again: record 3 must not keep what it held before.
  applyMaxValues(db, with(db, &MaxValues::players, 2));
  EXPECT_EQ(db.players.name[3], "stale");  // shrinking only lowers the count
  applyMaxValues(db, with(db, &MaxValues::players, 5));

  EXPECT_EQ(db.players.size(), 6);
  EXPECT_EQ(db.players.name[3], sj("プレイヤー４"));
  EXPECT_EQ(db.players.name[4], sj("プレイヤー５"));
  EXPECT_EQ(db.players.name[5], "");  // the kept record beyond the list is blank
  for (int i : {3, 4}) {
    EXPECT_EQ(db.players.level[i], 1);
    EXPECT_EQ(db.players.maxHp[i], 1);
    EXPECT_EQ(db.players.hitRate[i], 100);
    EXPECT_EQ(db.players.battleMenu[i][6], 7);
    EXPECT_EQ(db.players.characterGraphic[i], data::hexPair(2 * i));
    EXPECT_EQ(db.players.heldItemCount[i], 0);
    for (float g : db.levels.hpGain[i]) EXPECT_EQ(g, 0);
    for (const auto& permission : db.arms.permission) EXPECT_EQ(permission[i], 0);
    for (const auto& sounds : db.magic.playerSound) EXPECT_EQ(sounds[i], "mgc");
  }
  EXPECT_EQ(db.players.name[1], "player1");  // listed players are untouched
  const auto& row4 = db.attackRates.rows[4];
  EXPECT_EQ(std::vector<float>(row4.begin(), row4.begin() + 5), (std::vector<float>{20, 40, 60, 80, 100}));
}

TEST(MaxValues, GrowingOtherTablesGivesTheirDefaults) {
  ProjectDatabase db = fixtures::richDatabase();
  const auto armsBefore = db.arms.attackSound;
  MaxValues next = db.max;
  next.magicKinds = 5, next.itemKinds = 5, next.armsKinds = 4, next.maps = 7, next.enemyKinds = 3, next.levels = 5;
  next.scenery = 7;
  applyMaxValues(db, next);
  for (int i : {3, 4}) {
    EXPECT_EQ(db.magic.text[i][0], sj("魔法") + fullWidthNumber(i + 1));
    EXPECT_EQ(db.magic.effect[i], "--");
    EXPECT_EQ(db.magic.sound[i], "mgc");
    for (const auto& s : db.magic.playerSound[i]) EXPECT_EQ(s, "mgc");
    EXPECT_EQ(db.items.text[i][0], sj("アイテム") + fullWidthNumber(i + 1));
    EXPECT_EQ(db.items.text[i][5], "--");
  }
  EXPECT_EQ(db.magic.playerSound[4].size(), 3u);  // players 0..P
  // Growing items touches no arms record; new arms attack once with "ATC".
  EXPECT_EQ(db.arms.attackSound[0], armsBefore[0]);
  EXPECT_EQ(db.arms.attackSound[1], armsBefore[1]);
  EXPECT_EQ(db.arms.attackSound[3], "ATC");
  EXPECT_EQ(db.arms.attacks[3], 1);
  EXPECT_EQ(db.maps.name[6], sj("マップ７"));
  EXPECT_EQ(db.maps.enemy[6][5], 99);
  EXPECT_EQ(db.scenery.town[6], 99);
  EXPECT_EQ(db.scenery.visited[6], 0);
  EXPECT_EQ(db.enemies.name[2], sj("敵３"));
  EXPECT_EQ(db.enemies.hp[2], 1);
  EXPECT_EQ(db.enemies.size[2], 1);
  EXPECT_EQ(db.enemies.magic[2][0], 99);
  EXPECT_EQ(db.levels.hpGain[0][4], 0);
  EXPECT_EQ(fullWidthNumber(12), sj("１２"));
}

TEST(MaxValues, GrownTablesSurviveASaveAndALoad) {
  ProjectDatabase db = fixtures::richDatabase();
  MaxValues next = db.max;
  next.players = 7, next.magicHeld = 9, next.itemsHeld = 8, next.levels = 6, next.itemKinds = 12;
  next.armsKinds = 6, next.magicKinds = 11, next.maps = 9, next.enemyKinds = 6, next.scenery = 9;
  applyMaxValues(db, next);
  fixtures::MemoryFiles saved = fixtures::saveToMemory(db, 5);
  ProjectDatabase loaded = fixtures::loadMemory(saved);
  EXPECT_EQ(loaded.max, db.max);
  EXPECT_EQ(loaded.players.name, db.players.name);
  EXPECT_EQ(loaded.magic.playerSound, db.magic.playerSound);
  EXPECT_EQ(fixtures::firstDifference(fixtures::saveToMemory(loaded, 5), saved), "");
}

TEST(MaxValues, ShrinkingIsRefusedWhileInUse) {
  ProjectDatabase db = fixtures::richDatabase();
  db.players.heldItemCount.assign(db.players.heldItemCount.size(), 0);
  db.players.heldMagicCount.assign(db.players.heldMagicCount.size(), 0);
  db.players.heldItemCount[1] = 6;  // H = 6
  EXPECT_TRUE(refuseMaxValues(db, with(db, &MaxValues::itemsHeld, 5), nullptr));
  db.players.heldItemCount[1] = 5;
  EXPECT_FALSE(refuseMaxValues(db, with(db, &MaxValues::itemsHeld, 5), nullptr));
  db.players.heldMagicCount[2] = 5;  // the kept record counts too: it is written
  EXPECT_FALSE(refuseMaxValues(db, with(db, &MaxValues::magicHeld, 5), nullptr));

  event::MapEvents events;
  events.lastNumber = 30;
  for (int e = 0; e <= 30; ++e) events.records[e].lines[0].message = event::kEndMarker;
  events.records[3].lines[20].message = event::kEndMarker;
  events.records[3].lines[0].message = "hello";
  events.records[3].lines[19].message = "line 19";
  EXPECT_TRUE(refuseMaxValues(db, with(db, &MaxValues::events, 20), &events));
  EXPECT_FALSE(refuseMaxValues(db, with(db, &MaxValues::events, 30), &events));
  EXPECT_FALSE(refuseMaxValues(db, with(db, &MaxValues::events, 20), nullptr));
  db.max.messages = 40;
  EXPECT_TRUE(refuseMaxValues(db, with(db, &MaxValues::messages, 15), &events));
  EXPECT_FALSE(refuseMaxValues(db, with(db, &MaxValues::messages, 20), &events));
}

TEST(AttackRates, PresetsInDoublePrecision) {
  auto row = [](AttackPreset p, int i) {
    std::vector<int> out;
    for (int j = 0; j <= i; ++j) out.push_back(presetRate(p, i, j));
    return out;
  };
  EXPECT_EQ(row(AttackPreset::EqualRate, 2), (std::vector<int>{33, 66, 100}));
  EXPECT_EQ(row(AttackPreset::EqualRate, 5), (std::vector<int>{16, 32, 48, 64, 80, 100}));
  EXPECT_EQ(row(AttackPreset::EqualRate, 6), (std::vector<int>{14, 28, 42, 56, 70, 84, 100}));
  EXPECT_EQ(row(AttackPreset::Ratio, 1), (std::vector<int>{66, 100}));
  EXPECT_EQ(row(AttackPreset::Ratio, 3), (std::vector<int>{40, 70, 90, 100}));
  // s = 6 with cum = 3 and s = 15 with cum = 9 are whole numbers.
  EXPECT_EQ(row(AttackPreset::Ratio, 2), (std::vector<int>{50, 83, 100}));
  EXPECT_EQ(row(AttackPreset::Ratio, 4)[1], 60);
}

TEST(AttackRates, OnlyTheFirstTwelvePartySizesAreFilled) {
  ProjectDatabase db = data::blankDatabase();
  applyMaxValues(db, [&] { MaxValues m = db.max; m.players = 20; return m; }());
  for (auto& r : db.attackRates.rows) r.assign(r.size(), 7.f);
  applyPreset(db, AttackPreset::Ratio);
  EXPECT_EQ(db.attackRates.rows[11][11], 100);
  EXPECT_EQ(db.attackRates.rows[11][12], 7);  // entries beyond the party are kept
  EXPECT_EQ(db.attackRates.rows[12][0], 7);
  EXPECT_EQ(db.attackRates.rows[19][19], 7);

  db.max.players = 1;
  applyPreset(db, AttackPreset::EqualRate);
  EXPECT_EQ(db.attackRates.rows[0][0], 100);
  EXPECT_EQ(db.attackRates.rows[1][0], 66);  // the ratio of before
}

TEST(InitialValues, ChoicesAreStoredAsTheEngineReadsThem) {
  EXPECT_EQ(screenSizes()[2].width, 25);
  EXPECT_EQ(screenSizes()[2].height, 19);
  EXPECT_EQ(std::string(screenSizes()[2].caption), "800×600");
  EXPECT_EQ(screenSizeIndex(32), 3);
  EXPECT_EQ(screenSizeIndex(21), -1);
  EXPECT_EQ(clampCharacterWidth(60), 48);
  EXPECT_EQ(clampCharacterWidth(0), 1);
  EXPECT_EQ(clampCharacterHeight(65), 64);
  EXPECT_EQ(directionChoices()[3].code, 6);
  EXPECT_EQ(std::string(directionChoices()[3].caption), "左");
  EXPECT_EQ(speedChoices()[2].code, 4);
  EXPECT_EQ(choiceIndex(speedChoices(), 8), 3);
  EXPECT_EQ(choiceIndex(placementChoices(), 0), -1);  // an old form shows no choice
  EXPECT_EQ(placementChoices()[1].code, 11);
}

TEST(InitialValues, TransparentColourInHexadecimal) {
  EXPECT_EQ(colourHex(16711935), "FF00FF");
  EXPECT_EQ(colourHex(0), "0");
  EXPECT_EQ(parseColourHex("ff00ff"), 16711935);
  EXPECT_EQ(parseColourHex(" &H80 "), 128);
  EXPECT_EQ(parseColourHex("12xyz"), 0x12);
  EXPECT_EQ(parseColourHex(""), 0);
  EXPECT_EQ(parseColourHex("123456789ABC"), -1);  // saturates at 32 bits
  EXPECT_EQ(windowsColour(255, 0, 128), 0x8000FF);
  Rgb rgb = rgbOf(0x8000FF);
  EXPECT_EQ(rgb.red, 255);
  EXPECT_EQ(rgb.blue, 128);
}

TEST(InitialValues, MenuPlacesKeepEveryEntryInSight) {
  std::array<float, data::kSettingsMenuEntries> places{};
  MenuPlaces menu(places, kSettingsMenuShown);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(menu.insert(-1, k % 6 + 1), k);
  EXPECT_EQ(menu.insert(0, 3), -1);  // full: nothing goes out of sight
  EXPECT_EQ(places[10], 0);
  EXPECT_TRUE(menu.remove(0));
  EXPECT_EQ(menu.length(), 9);
  EXPECT_EQ(menu.codes().front(), 2);
  EXPECT_EQ(menu.insert(1, 6), 1);
  EXPECT_EQ(menu.codes()[1], 6);
  EXPECT_EQ(menu.move(1, -1), 0);
  EXPECT_EQ(menu.codes()[0], 6);
  EXPECT_EQ(menu.move(0, -1), 0);  // nothing above the top
  EXPECT_EQ(menu.move(9, 1), 9);   // nothing below the last shown entry
  EXPECT_FALSE(menu.remove(12));
}

TEST(InitialValues, AnEmptyEditingPasswordKeepsTheCurrentOne) {
  PasswordEntry e = editingPasswordEntry("   ", "secret      ");
  EXPECT_EQ(e.value, "secret");
  EXPECT_FALSE(e.refusal);
  EXPECT_TRUE(editingPasswordEntry("much-too-long-password", "secret").refusal);
  EXPECT_EQ(editingPasswordEntry("new", "secret").value, "new");
  EXPECT_TRUE(canPickStart(3, 3));
  EXPECT_FALSE(canPickStart(2, 3));
  EXPECT_FALSE(canPickStart(-1, 0));
}

}  // namespace
}  // namespace quillane::editors
