// The map-properties rules: size limits and the grow fill, the town entries, the
// apply order's corrections, the snapshot that cancel restores, and the lists.
#include <gtest/gtest.h>

#include "core/map/map_properties.h"
#include "core/map/map_properties_files.h"
#include "core/map/map_properties_lists.h"
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <unistd.h>
#include "core/map/new_map.h"
#include "core/text/cp932.h"

namespace quillane::map {
namespace {

using text::sj;

data::ProjectDatabase smallDatabase(int maps = 5, int scenery = 4, int enemies = 3) {
  data::ProjectDatabase db;
  db.max.maps = maps;
  db.max.scenery = scenery;
  db.max.enemyKinds = enemies;
  db.fitToCounts();
  for (int i = 0; i < scenery; ++i) db.scenery.town[static_cast<std::size_t>(i)] = 99;
  for (int i = 0; i < maps; ++i) {
    db.maps.name[static_cast<std::size_t>(i)] = "map" + std::to_string(i);
    db.maps.enemy[static_cast<std::size_t>(i)].fill(99);
  }
  for (int i = 0; i < enemies; ++i) db.enemies.name[static_cast<std::size_t>(i)] = "e" + std::to_string(i);
  return db;
}

// The fields as the dialog would read them from an untouched map.
PropertyInput unchangedInput(const MapDocument& map, const data::ProjectDatabase& db, int number) {
  PropertyInput in;
  in.size = {map.width, map.height};
  in.xAdd = map.xAdd;
  in.yAdd = map.yAdd;
  in.encounterRate = map.encounterRate;
  in.stepLimit = map.stepLimit;
  in.maxEnemies = map.maxEnemies;
  in.mapName = db.maps.name[static_cast<std::size_t>(number)];
  in.noTeleport = map.noTeleport != 0;
  return in;
}

void addEvent(MapDocument& map, int x, int y) {
  int n = ++map.events.lastNumber;
  map.events.records[static_cast<std::size_t>(n)].x = x;
  map.events.records[static_cast<std::size_t>(n)].y = y;
  map.events.grid.at(x, y) = {"01", "1", std::to_string(n)};
}

TEST(MapPropertiesSize, ClampsToLimitsAndArea) {
  EXPECT_EQ(clampMapSize(300, 300), (MapSize{200, 32}));
  EXPECT_EQ(clampMapSize(10, 0), (MapSize{20, 15}));
  EXPECT_EQ(clampMapSize(-5, 500), (MapSize{20, 200}));
  EXPECT_EQ(clampMapSize(80, 80), (MapSize{80, 80}));
  // 6400 / 81 = 79 rows, then 6400 / 79 = 81 columns.
  EXPECT_EQ(clampMapSize(81, 81), (MapSize{81, 79}));
  MapSize odd = clampMapSize(150, 100);
  EXPECT_LE(odd.width * odd.height, kMaxMapArea);
  EXPECT_EQ(odd, (MapSize{152, 42}));
}

TEST(MapPropertiesSize, GrowingFillsOnlyTheNewCells) {
  for (bool split : {false, true}) {
    MapDocument map = newMapDocument(nullptr, split);
    map.ground.set(3, 19, split ? "1A4" : "A4");
    map.sky.set(14, 0, "07");
    // Something left behind in the grid from an earlier, larger size.
    map.ground.set(0, 25, "FF");
    map.sky.set(16, 2, "33");
    resizeMap(map, {30, 17}, split);
    EXPECT_EQ(map.width, 30);
    EXPECT_EQ(map.height, 17);
    const char* blank = split ? "000" : "00";
    for (int r = 0; r < 17; ++r) {
      for (int c = 0; c < 30; ++c) {
        if (r == 3 && c == 19) continue;
        if (r == 14 && c == 0) continue;
        ASSERT_EQ(map.ground.text(r, c), blank) << r << "," << c;
        ASSERT_EQ(map.sky.text(r, c), "00") << r << "," << c;
      }
    }
    EXPECT_EQ(map.ground.text(3, 19), split ? "1A4" : "A4");
    EXPECT_EQ(map.sky.text(14, 0), "07");
    EXPECT_TRUE(map.ground.text(17, 0).empty());  // outside the new size: untouched
  }
}

TEST(MapPropertiesSize, ShrinkChecksTilesAndEvents) {
  MapDocument map = newMapDocument(nullptr, true);
  resizeMap(map, {40, 30}, true);
  EXPECT_FALSE(checkResize(map, {20, 15}).cutsTiles);
  map.sky.set(29, 0, "01");
  EXPECT_TRUE(checkResize(map, {40, 29}).cutsTiles);
  EXPECT_FALSE(checkResize(map, {40, 30}).cutsTiles);
  map.sky.set(29, 0, "00");
  map.ground.set(0, 39, "100");  // bank 1, tile 00: not a blank cell
  EXPECT_TRUE(checkResize(map, {39, 30}).cutsTiles);
  EXPECT_FALSE(checkResize(map, {39, 30}).leavesEvent);
  addEvent(map, 5, 25);
  EXPECT_TRUE(checkResize(map, {40, 25}).leavesEvent);
  EXPECT_FALSE(checkResize(map, {40, 26}).leavesEvent);
}

TEST(MapPropertiesApply, SizeAndFieldsInOrder) {
  auto db = smallDatabase();
  MapDocument map = newMapDocument(nullptr, false);
  addEvent(map, 0, 4);
  addEvent(map, 6, 0);
  PropertyInput in = unchangedInput(map, db, 2);
  in.size = {300, 300};
  in.xAdd = -3;
  in.yAdd = -2;
  in.startEvent = 0;  // stands in column 0: the negative X add becomes 0
  in.mapName = "town";
  in.enemies[1] = 2;
  in.upMap = kNoMap;
  in.rightMap = 4;
  in.bgmName = "BATTLE";
  applyProperties(in, 2, false, map, db);
  EXPECT_EQ(map.width, 200);
  EXPECT_EQ(map.height, 32);
  EXPECT_EQ(map.ground.text(31, 199), "00");
  EXPECT_EQ(map.xAdd, 0);
  EXPECT_EQ(map.yAdd, -2);
  EXPECT_EQ(map.bgmName, "BATTLE");
  EXPECT_EQ(map.tileSetName, "MAP");  // not picked: unchanged
  EXPECT_EQ(db.maps.name[2], "town");
  EXPECT_EQ(db.maps.enemy[2][1], 2.0f);
  EXPECT_EQ(db.maps.enemy[2][0], 99.0f);
  EXPECT_EQ(map.rightMap, 4);
  EXPECT_TRUE(map.modified);

  // Start event 1 stands in row 0: only the Y add is raised.
  in = unchangedInput(map, db, 2);
  in.startEvent = 1;
  in.xAdd = -1;
  in.yAdd = -1;
  applyProperties(in, 2, false, map, db);
  EXPECT_EQ(map.xAdd, -1);
  EXPECT_EQ(map.yAdd, 0);

  // A declined size leaves the size alone and still applies the rest.
  in = unchangedInput(map, db, 2);
  in.size = {20, 15};
  in.applySize = false;
  in.stepLimit = 7;
  applyProperties(in, 2, false, map, db);
  EXPECT_EQ(map.width, 200);
  EXPECT_EQ(map.stepLimit, 7);
}

TEST(MapPropertiesApply, SceneryNamesOnlyForMapsWithAnEntry) {
  auto db = smallDatabase(6, 3);
  MapDocument map = newMapDocument(nullptr, false);
  PropertyInput in = unchangedInput(map, db, 4);
  in.battleBackground = "sea";
  in.distantView = "cloud";
  applyProperties(in, 4, false, map, db);
  EXPECT_EQ(db.scenery.battleBackground.size(), 3u);
  in = unchangedInput(map, db, 1);
  in.battleBackground = "sea";
  in.distantView = "cloud";
  applyProperties(in, 1, false, map, db);
  EXPECT_EQ(db.scenery.battleBackground[1], "sea");
  EXPECT_EQ(db.scenery.distantView[1], "cloud");
  EXPECT_TRUE(hasSceneryNames(db.scenery, 2));
  EXPECT_FALSE(hasSceneryNames(db.scenery, 3));
}

TEST(MapPropertiesTown, EntriesAreAddedFreedAndFlagged) {
  auto db = smallDatabase(5, 3);
  db.scenery.town = {4, 99, 99};
  db.scenery.visited = {1, 0, 0};
  auto before = db.scenery;

  // "いいえ" for a map without a town entry changes nothing.
  applyTownFlags(db.scenery, 2, false, false);
  EXPECT_EQ(db.scenery.town, before.town);
  EXPECT_EQ(db.scenery.visited, before.visited);

  // "はい" takes the first free entry, and "有る" then flags it.
  applyTownFlags(db.scenery, 2, true, true);
  EXPECT_EQ(db.scenery.town, (std::vector<float>{4, 2, 99}));
  EXPECT_EQ(db.scenery.visited[1], 1.0f);
  // Listed already: "はい" adds nothing more.
  applyTownFlags(db.scenery, 2, true, std::nullopt);
  EXPECT_EQ(db.scenery.town, (std::vector<float>{4, 2, 99}));

  // Several entries with the map: the last one counts; "いいえ" frees it.
  db.scenery.town = {3, 3, 99};
  EXPECT_EQ(townEntry(db.scenery, 3), 1);
  applyTownFlags(db.scenery, 3, false, std::nullopt);
  EXPECT_EQ(db.scenery.town, (std::vector<float>{3, 99, 99}));

  // No free entry: "はい" cannot add the map.
  db.scenery.town = {0, 1, 3};
  db.scenery.visited = {0, 0, 0};
  applyTownFlags(db.scenery, 4, true, true);
  EXPECT_EQ(db.scenery.town, (std::vector<float>{0, 1, 3}));
  EXPECT_EQ(db.scenery.visited, (std::vector<float>{0, 0, 0}));

  // Map 99 would read as a free entry: never made a town.
  db.scenery.town = {99, 99, 99};
  applyTownFlags(db.scenery, 99, true, true);
  EXPECT_EQ(db.scenery.town, (std::vector<float>{99, 99, 99}));
  EXPECT_TRUE(refuseTown(99).has_value());
  EXPECT_FALSE(refuseTown(98).has_value());
}

TEST(MapPropertiesSnapshot, CancelRestoresEverythingButTheEvents) {
  auto db = smallDatabase();
  db.scenery.town[0] = 1;
  MapDocument map = newMapDocument(nullptr, true);
  map.ground.set(2, 2, "2F0");
  map.sky.set(1, 1, "0A");
  map.skyTileSetName = "SKY";
  addEvent(map, 3, 3);
  map.modified = false;
  auto snap = takeSnapshot(map, db);
  EXPECT_EQ(map.events.lastNumber, 0);  // the lent events came back
  EXPECT_EQ(map.events.grid.at(3, 3).number, "0");
  EXPECT_EQ(snap.map.events.lastNumber, -1);

  MapDocument expected = map;
  auto expectedDb = db;

  PropertyInput in = unchangedInput(map, db, 1);
  in.size = {25, 20};
  in.tileSetName = "OTHER";
  in.skyTileSetName = "";
  in.mapName = "renamed";
  in.distantView = "far";
  in.battleBackground = "near";
  in.enemies[5] = 0;
  in.town = false;
  in.leftMap = 3;
  applyProperties(in, 1, true, map, db);
  map.ground.set(0, 0, "1FF");  // a resize may also have shrunk or cut the layers
  map.sky.set(1, 1, "00");
  deleteAllEvents(map);

  restoreSnapshot(snap, map, db, true);
  EXPECT_EQ(map.width, 20);
  EXPECT_EQ(map.height, 15);
  EXPECT_EQ(map.tileSetName, "MAP");
  EXPECT_EQ(map.skyTileSetName, "SKY");
  EXPECT_EQ(map.leftMap, kNoMap);
  EXPECT_TRUE(map.ground == expected.ground);
  EXPECT_TRUE(map.sky == expected.sky);
  EXPECT_EQ(db.maps.name, expectedDb.maps.name);
  EXPECT_EQ(db.maps.enemy, expectedDb.maps.enemy);
  EXPECT_EQ(db.scenery.town, expectedDb.scenery.town);
  EXPECT_EQ(db.scenery.distantView, expectedDb.scenery.distantView);
  EXPECT_EQ(db.scenery.battleBackground, expectedDb.scenery.battleBackground);
  // Deleted events stay deleted, and the map stays marked as changed.
  EXPECT_EQ(map.events.lastNumber, -1);
  EXPECT_FALSE(map.events.grid.at(3, 3).hasEvent());
  EXPECT_TRUE(map.modified);
}

TEST(MapPropertiesLists, RowsAndValues) {
  auto db = smallDatabase(3, 3, 2);
  MapDocument map = newMapDocument(nullptr, false);
  addEvent(map, 1, 1);
  map.events.records[0].lines[0].message = sj("入口");
  auto hooks = hookRows(map.events);
  ASSERT_EQ(hooks.size(), 2u);
  EXPECT_EQ(hooks[0], sj("設定なし"));
  EXPECT_EQ(hooks[1], "0:" + sj("入口"));
  EXPECT_EQ(hookRow(map.events, 1), 1);
  EXPECT_EQ(hookRow(map.events, 2), std::nullopt);  // names a deleted event
  EXPECT_EQ(startEventRow(map.events, 0), 0);
  EXPECT_EQ(startEventRow(map.events, 1), std::nullopt);
  deleteAllEvents(map);
  EXPECT_TRUE(startEventRows(map.events).empty());
  EXPECT_EQ(startEventRow(map.events, 0), std::nullopt);

  auto neighbours = neighbourRows(db);
  ASSERT_EQ(neighbours.size(), 4u);
  EXPECT_EQ(neighbours[0], sj("無し"));
  EXPECT_EQ(neighbours[3], "2:map2");
  EXPECT_EQ(neighbourRow(db, kNoMap), 0);
  EXPECT_EQ(neighbourRow(db, 2), 3);
  EXPECT_EQ(neighbourRow(db, 3), std::nullopt);
  EXPECT_EQ(neighbourValue(0), kNoMap);
  EXPECT_EQ(neighbourValue(3), 2);

  auto enemies = enemyRows(db);
  ASSERT_EQ(enemies.size(), 3u);
  EXPECT_EQ(enemies[0], sj("設定無し"));
  EXPECT_EQ(enemyRow(db, 99), 0);
  EXPECT_EQ(enemyRow(db, 1), 2);
  EXPECT_EQ(enemyRow(db, 7), 0);  // beyond the enemy count
  EXPECT_EQ(enemyValue(0), kNoEnemy);
  EXPECT_EQ(enemyValue(2), 1);
  EXPECT_TRUE(refuseEnemyRow(100).has_value());
  EXPECT_FALSE(refuseEnemyRow(99).has_value());

  db.scenery.town = {99, 2, 99};
  db.scenery.visited = {0, 1, 0};
  EXPECT_EQ(townRow(db.scenery, 2), 0);
  EXPECT_EQ(townRow(db.scenery, 1), 1);
  EXPECT_EQ(visitedRow(db.scenery, 2), 0);
  EXPECT_EQ(visitedRow(db.scenery, 1), std::nullopt);
}

TEST(MapPropertiesFiles, StemsOfBitmapsAnyCaseAndEncoding) {
  namespace fs = std::filesystem;
  fs::path root = fs::temp_directory_path() / ("qmp_stems_" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "grp");
  auto touch = [&](const std::string& name) { std::ofstream(root / "grp" / name) << "x"; };
  touch("MAP.BMP");
  touch("sky.bmp");
  touch("\xE8\x83\x8C\xE6\x99\xAF.Bmp");  // UTF-8 name
  touch(sj("森") + ".bmp");                  // raw CP932 bytes, as unpacked from Windows
  touch("\xF0\x9F\x98\x80.bmp");             // no CP932 form: left out
  touch("notes.txt");
  auto stems = listStems(root, "GRP", "*.bmp");
  std::vector<Bytes> expected{"MAP", "sky", sj("背景"), sj("森")};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(stems, expected);
  EXPECT_TRUE(listStems(root, "mid", "*.mid").empty());
  fs::remove_all(root);
}

}  // namespace
}  // namespace quillane::map
