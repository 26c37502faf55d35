#include "core/map/map_properties.h"

#include <algorithm>
#include <utility>

#include "core/map/tile_lookup.h"

namespace quillane::map {

MapSize clampMapSize(int typedWidth, int typedHeight) {
  MapSize size{std::clamp(typedWidth, kMinMapWidth, kMaxMapWidth),
               std::clamp(typedHeight, kMinMapHeight, kMaxMapHeight)};
  if (size.width * size.height > kMaxMapArea) {
    size.height = kMaxMapArea / size.width;
    size.width = kMaxMapArea / size.height;
  }
  return size;
}

namespace {

// An empty cell counts as "00": it is written so.
bool blankGround(TileCode code) {
  int value = tileValue(code);
  return code.empty() || (value == 0 && (code.size() == 2 || code.view()[0] == '0'));
}
bool blankSky(TileCode code) { return code.empty() || code.view() == "00"; }

bool outside(int row, int col, MapSize size) { return row >= size.height || col >= size.width; }

}  // namespace

ResizeCheck checkResize(const MapDocument& map, MapSize size) {
  ResizeCheck check;
  int rows = std::min(map.height, kGridSize);
  int cols = std::min(map.width, kGridSize);
  for (int r = 0; r < rows && !check.cutsTiles; ++r) {
    for (int c = 0; c < cols; ++c) {
      if (!outside(r, c, size)) continue;
      if (!blankGround(map.ground.at(r, c)) || !blankSky(map.sky.at(r, c))) {
        check.cutsTiles = true;
        break;
      }
    }
  }
  const auto& events = map.events;
  for (int i = 0; i <= events.lastNumber && i <= event::kMaxEventNumber; ++i) {
    const auto& record = events.records[static_cast<std::size_t>(i)];
    if (record.x >= size.width || record.y >= size.height) check.leavesEvent = true;
  }
  return check;
}

void resizeMap(MapDocument& map, MapSize size, bool splitChips) {
  TileCode ground = emptyGroundCode(splitChips);
  TileCode sky = emptySkyCode();
  // New columns of the rows that exist, then new rows across the new width.
  int oldRows = std::min(map.height, size.height);
  for (int r = 0; r < oldRows; ++r) {
    for (int c = std::max(map.width, 0); c < size.width; ++c) {
      map.ground.at(r, c) = ground;
      map.sky.at(r, c) = sky;
    }
  }
  for (int r = std::max(map.height, 0); r < size.height; ++r) {
    for (int c = 0; c < size.width; ++c) {
      map.ground.at(r, c) = ground;
      map.sky.at(r, c) = sky;
    }
  }
  map.width = size.width;
  map.height = size.height;
}

int townEntry(const data::SceneryTable& scenery, int number) {
  int found = -1;
  for (int i = 0; i < scenery.count(); ++i)
    if (scenery.town[static_cast<std::size_t>(i)] == static_cast<float>(number)) found = i;
  return found;
}

int firstFreeTownEntry(const data::SceneryTable& scenery) {
  for (int i = 0; i < scenery.count(); ++i)
    if (scenery.town[static_cast<std::size_t>(i)] == static_cast<float>(kFreeTownEntry)) return i;
  return -1;
}

void applyTownFlags(data::SceneryTable& scenery, int number, std::optional<bool> town,
                    std::optional<bool> visited) {
  // Map 99 can never be a town: its entry would read as free.
  if (town && number != kFreeTownEntry) {
    int entry = townEntry(scenery, number);
    if (*town && entry < 0) {
      int free = firstFreeTownEntry(scenery);
      if (free >= 0) scenery.town[static_cast<std::size_t>(free)] = static_cast<float>(number);
    } else if (!*town && entry >= 0) {
      scenery.town[static_cast<std::size_t>(entry)] = static_cast<float>(kFreeTownEntry);
    }
  }
  if (visited && number != kFreeTownEntry) {
    int entry = townEntry(scenery, number);
    if (entry >= 0) scenery.visited[static_cast<std::size_t>(entry)] = *visited ? 1.0f : 0.0f;
  }
}

namespace {

bool eventExists(const MapDocument& map, int n) {
  return n >= 0 && n <= map.events.lastNumber && n <= event::kMaxEventNumber;
}

template <class T>
void setIf(int& field, const std::optional<T>& value) {
  if (value) field = *value;
}

}  // namespace

void applyProperties(const PropertyInput& in, int number, bool splitChips, MapDocument& map,
                     data::ProjectDatabase& db) {
  if (in.applySize) resizeMap(map, clampMapSize(in.size.width, in.size.height), splitChips);

  if (in.tileSetName) map.tileSetName = *in.tileSetName;
  if (in.skyTileSetName) map.skyTileSetName = *in.skyTileSetName;
  if (in.characterSetName) map.characterSetName = *in.characterSetName;
  if (in.bgmName) map.bgmName = *in.bgmName;

  map.xAdd = in.xAdd;
  map.yAdd = in.yAdd;
  map.encounterRate = in.encounterRate;
  map.stepLimit = in.stepLimit;
  map.maxEnemies = in.maxEnemies;

  auto index = static_cast<std::size_t>(number);
  if (number >= 0 && number < db.maps.count()) db.maps.name[index] = in.mapName;
  // Maps at or beyond the scenery entry count have no background names to set.
  if (number >= 0 && in.battleBackground && index < db.scenery.battleBackground.size())
    db.scenery.battleBackground[index] = *in.battleBackground;
  if (number >= 0 && in.distantView && index < db.scenery.distantView.size())
    db.scenery.distantView[index] = *in.distantView;

  map.noTeleport = in.noTeleport ? 1 : 0;

  if (number >= 0 && number < db.maps.count()) {
    for (std::size_t k = 0; k < in.enemies.size(); ++k)
      if (in.enemies[k]) db.maps.enemy[index][k] = static_cast<float>(*in.enemies[k]);
  }

  applyTownFlags(db.scenery, number, in.town, in.visited);

  setIf(map.startEvent, in.startEvent);
  setIf(map.battleStartEvent, in.battleStartEvent);
  setIf(map.afterBattleEvent, in.afterBattleEvent);
  setIf(map.buttonEvent, in.buttonEvent);
  setIf(map.afterLoadEvent, in.afterLoadEvent);

  // A start event on the map's first column or row cannot take a negative add.
  if (eventExists(map, map.startEvent)) {
    const auto& start = map.events.records[static_cast<std::size_t>(map.startEvent)];
    if (start.x == 0 && map.xAdd < 0) map.xAdd = 0;
    if (start.y == 0 && map.yAdd < 0) map.yAdd = 0;
  }

  setIf(map.upMap, in.upMap);
  setIf(map.leftMap, in.leftMap);
  setIf(map.rightMap, in.rightMap);
  setIf(map.downMap, in.downMap);

  map.modified = true;
}

PropertiesSnapshot takeSnapshot(MapDocument& map, const data::ProjectDatabase& db) {
  PropertiesSnapshot snap;
  // The events, flags and objects are not part of the snapshot: lend them out while
  // the rest of the map is copied.
  event::MapEvents events = std::move(map.events);
  std::vector<event::FlagEntry> flags = std::move(map.flags);
  struct Giveback {
    MapDocument& map;
    event::MapEvents& events;
    std::vector<event::FlagEntry>& flags;
    ~Giveback() {
      map.events = std::move(events);
      map.flags = std::move(flags);
    }
  } giveback{map, events, flags};
  snap.map = map;
  snap.map.events.lastNumber = -1;
  snap.map.objects = {};
  snap.visited = db.scenery.visited;
  snap.town = db.scenery.town;
  snap.battleBackground = db.scenery.battleBackground;
  snap.distantView = db.scenery.distantView;
  snap.mapNames = db.maps.name;
  snap.mapEnemies = db.maps.enemy;
  return snap;
}

void restoreSnapshot(const PropertiesSnapshot& snap, MapDocument& map, data::ProjectDatabase& db,
                     bool eventsDeleted) {
  MapDocument restored = snap.map;
  restored.events = std::move(map.events);
  restored.flags = std::move(map.flags);
  restored.objects = std::move(map.objects);
  restored.modified = snap.map.modified || eventsDeleted;
  map = std::move(restored);
  db.scenery.visited = snap.visited;
  db.scenery.town = snap.town;
  db.scenery.battleBackground = snap.battleBackground;
  db.scenery.distantView = snap.distantView;
  db.maps.name = snap.mapNames;
  db.maps.enemy = snap.mapEnemies;
}

void deleteAllEvents(MapDocument& map) {
  map.events.lastNumber = -1;
  map.events.records.assign(event::kMaxEventNumber + 1, event::EventRecord{});
  map.events.grid.clear();
  map.modified = true;
}

}  // namespace quillane::map
