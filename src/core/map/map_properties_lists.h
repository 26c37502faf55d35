#pragma once
// The lists of the map-properties dialog: their rows (CP932), which row shows a stored
// value, and which value a chosen row stores. A value with no row of its own (an event
// or map that no longer exists) shows no row; it stays stored until the user picks.
#include <optional>
#include <vector>

#include "core/data/project_database.h"
#include "core/map/map_document.h"

namespace quillane::map {

// Hook lists: "設定なし", then "i:" and the title of every event; value = row.
std::vector<Bytes> hookRows(const event::MapEvents& events);
std::optional<int> hookRow(const event::MapEvents& events, int value);

// Initial-position list: "i:" and the title of every event; value = row.
std::vector<Bytes> startEventRows(const event::MapEvents& events);
std::optional<int> startEventRow(const event::MapEvents& events, int value);

// Neighbour lists: "無し", then "n:" and the name of every map; row 0 stores 999,
// row r stores r − 1.
std::vector<Bytes> neighbourRows(const data::ProjectDatabase& db);
std::optional<int> neighbourRow(const data::ProjectDatabase& db, int value);
int neighbourValue(int row);

// Enemy lists: "設定無し", then "i:" and the name of every enemy; row 0 stores 99,
// row r stores r − 1.
std::vector<Bytes> enemyRows(const data::ProjectDatabase& db);
int enemyRow(const data::ProjectDatabase& db, float value);  // an unknown value shows "設定無し"
int enemyValue(int row);

// Enemy 99 has the value of "設定無し" and cannot be chosen: the message (CP932) when
// `row` would store it.
std::optional<Bytes> refuseEnemyRow(int row);
// Map 99 reads as a free town entry: the message when it would be made a town.
std::optional<Bytes> refuseTown(int mapNumber);
Bytes refusalTitle();

// "はい"/"いいえ" and "有る"/"無い".
std::vector<Bytes> townRows();
std::vector<Bytes> visitedRows();
int townRow(const data::SceneryTable& scenery, int mapNumber);  // 0 はい, 1 いいえ
// The visited row of the map's town entry; no row when it has none.
std::optional<int> visitedRow(const data::SceneryTable& scenery, int mapNumber);

// Whether map `number` has entries for the battle background and distant view
// (the scenery entry count is above the number).
bool hasSceneryNames(const data::SceneryTable& scenery, int number);

// Questions and messages of the resize (CP932).
Bytes cutTilesQuestion();
Bytes eventOutsideMessage();
Bytes resizeTitle();
Bytes deleteAllEventsQuestion();
Bytes confirmTitle();

}  // namespace quillane::map
