#include "core/map/new_map.h"

#include "core/map/tile_lookup.h"

namespace quillane::map {

MapDocument newMapDocument(const MapDocument* previous, bool splitChips) {
  MapDocument map;  // the defaults of a map with nothing in it
  if (previous) {
    map.encounterRate = previous->encounterRate;
    map.stepLimit = previous->stepLimit;
    map.noTeleport = previous->noTeleport;
    map.maxEnemies = previous->maxEnemies;
    map.skyTileSetName = previous->skyTileSetName;
    map.objects = previous->objects;
  }
  map.ground.fillArea(map.height, map.width, emptyGroundCode(splitChips));
  map.sky.fillArea(map.height, map.width, emptySkyCode());
  map.modified = true;  // not on disk until the creation's save
  return map;
}

bool convertChipForm(MapDocument& map, bool toSplit) {
  if (!toSplit) {
    for (int r = 0; r < kGridSize; ++r)
      for (int c = 0; c < kGridSize; ++c) {
        std::string_view v = map.ground.at(r, c).view();
        if (v.size() == 3 && v[0] != '0') return false;
      }
  }
  for (int r = 0; r < kGridSize; ++r) {
    TileCode* row = map.ground.row(r);
    for (int c = 0; c < kGridSize; ++c) {
      std::string_view v = row[c].view();
      if (toSplit && v.size() == 2) row[c] = TileCode("0" + std::string(v));
      if (!toSplit && v.size() == 3) row[c] = TileCode(v.substr(1));
    }
  }
  return true;
}

}  // namespace quillane::map
