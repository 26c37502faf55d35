#pragma once
// Where the player starts on the open map: the start event's cell plus the adds,
// kept inside the map and moved off a cell that an event stands on.
#include <optional>

#include "core/map/cell_changes.h"
#include "core/map/map_document.h"

namespace quillane::map {

struct StartMarker {
  CellPos cell;              // where the marker is drawn
  bool addsChanged = false;  // the adds were corrected (kept, but no edit of the user's)
};

// Corrects map.xAdd / map.yAdd and returns the marker cell. Empty (adds untouched)
// when the start event does not exist. When an event stands on the start cell the
// nearest free cell on the four lines from it is taken (distance 1, 2, …; right,
// left, below, above, the last free one of a distance winning); when there is none,
// the adds stay as corrected.
std::optional<StartMarker> placeStartMarker(MapDocument& map);

}  // namespace quillane::map
