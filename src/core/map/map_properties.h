#pragma once
// The rules of the map-properties dialog: the size limits and what a resize does to
// the layers, applying the dialog's fields in their fixed order, the town entries of
// SceneryTable, the snapshot that "ｷｬﾝｾﾙ" restores, and deleting every event.
// The dialog reads its boxes into PropertyInput and calls applyProperties.
#include <array>
#include <optional>
#include <vector>

#include "core/data/project_database.h"
#include "core/map/map_document.h"

namespace quillane::map {

inline constexpr int kMinMapWidth = 20;
inline constexpr int kMaxMapWidth = 200;
inline constexpr int kMinMapHeight = 15;
inline constexpr int kMaxMapHeight = 200;
inline constexpr int kMaxMapArea = 6400;
inline constexpr int kFreeTownEntry = 99;  // a SceneryTable value that marks a free entry
inline constexpr int kNoEnemy = 99;        // an appearing-enemy slot that is not set

struct MapSize {
  int width = kMinMapWidth;
  int height = kMinMapHeight;
  friend bool operator==(const MapSize&, const MapSize&) = default;
};

// The typed width and height kept within 20..200 and 15..200, then within 6400 cells:
// height becomes floor(6400 / width), then width floor(6400 / height).
MapSize clampMapSize(int typedWidth, int typedHeight);

// What a change to `size` would do to the open map.
struct ResizeCheck {
  bool cutsTiles = false;     // a ground or sky cell that would fall outside is not "00"
  bool leavesEvent = false;   // an event would stand outside the map
};
ResizeCheck checkResize(const MapDocument& map, MapSize size);

// Sets the size; every cell that comes into the map gets ground "00" ("000" with the
// split map-chip form) and sky "00". Cells that fall outside keep their codes in the
// grid (they are not written to the files).
void resizeMap(MapDocument& map, MapSize size, bool splitChips);

// The dialog's fields as read from its controls, in stored values. Selectors are set
// only when the user changed them since their values were last shown; the bitmap and
// music names likewise only when the user picked one from the list.
struct PropertyInput {
  MapSize size;               // already clamped (clampMapSize)
  bool applySize = true;      // false: the size stays (the user declined a cut, or an
                              // event would have fallen outside)
  std::optional<Bytes> tileSetName, skyTileSetName, characterSetName, bgmName;
  int xAdd = 0, yAdd = 0, encounterRate = 0, stepLimit = 0, maxEnemies = 0;
  Bytes mapName;
  std::optional<Bytes> battleBackground;  // ignored when the map has no scenery entry
  std::optional<Bytes> distantView;
  bool noTeleport = false;
  std::array<std::optional<int>, 6> enemies{};  // enemy index or kNoEnemy
  std::optional<bool> town;     // "はい" / "いいえ"
  std::optional<bool> visited;  // "有る" / "無い"
  std::optional<int> startEvent;
  // Hooks, event number + 1 (0 = none).
  std::optional<int> battleStartEvent, afterBattleEvent, buttonEvent, afterLoadEvent;
  // Neighbours: map number or kNoMap.
  std::optional<int> upMap, leftMap, rightMap, downMap;
};

// Applies every field to the open map and to map `number`'s entries in the database:
// size (with the grow fill), names, numbers, map name and scenery names, no teleport,
// enemy kinds, town and visited flags, start event and hooks, the correction of
// negative adds at the map's edge, neighbours. Marks the map modified.
void applyProperties(const PropertyInput& input, int number, bool splitChips, MapDocument& map,
                     data::ProjectDatabase& db);

// The town entry of map `number`: the last SceneryTable entry whose value is the number,
// or -1.
int townEntry(const data::SceneryTable& scenery, int number);
// The first free entry (value 99), or -1.
int firstFreeTownEntry(const data::SceneryTable& scenery);
// Steps 10 and 11 of the apply: "はい" adds the map to the first free entry when it
// has none (nothing when the table is full), "いいえ" frees its entry; the visited flag
// is set on the town entry when there is one.
void applyTownFlags(data::SceneryTable& scenery, int number, std::optional<bool> town,
                    std::optional<bool> visited);

// Everything the dialog can change, taken when it opens: the map's values and both
// layers (not its events, flag entries or objects), every scenery entry's flag, value,
// battle background and distant view, and every map record's name and enemy kinds.
struct PropertiesSnapshot {
  MapDocument map;  // events, flags and objects left empty
  std::vector<float> visited, town;
  std::vector<Bytes> battleBackground, distantView;
  std::vector<Bytes> mapNames;
  std::vector<std::array<float, 6>> mapEnemies;
};
PropertiesSnapshot takeSnapshot(MapDocument& map, const data::ProjectDatabase& db);
// Puts the snapshot back. The events stay as they are now ("イベント全削除" is not
// undone); the map stays marked modified when they were deleted meanwhile.
void restoreSnapshot(const PropertiesSnapshot& snapshot, MapDocument& map,
                     data::ProjectDatabase& db, bool eventsDeleted);

// "イベント全削除": no event remains (the last event number becomes -1) and the whole
// event grid is emptied.
void deleteAllEvents(MapDocument& map);

}  // namespace quillane::map
