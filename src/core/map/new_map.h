#pragma once
// Making a new map, and moving a map between the standard and split map-chip forms.
#include "core/map/map_document.h"

namespace quillane::map {

// The map a creation starts from: no events, an empty flag table, 20 × 15 cells of
// "00" ("000" split) on the ground and "00" in the sky (the rest of the grid empty),
// no neighbours, start event 0 with no adds, "FIELD" / "MAP" / "CHR". Encounter rate,
// step limit, no teleport, max enemies, the sky tile-set name and the object table are
// taken from `previous` (the map open before; nullptr when none has been open in this
// run, then the defaults). The event hooks are 0: the new map has no events.
MapDocument newMapDocument(const MapDocument* previous, bool splitChips);

// Ground codes to the split form ("A1" → "0A1") or back ("0A1" → "A1"). Going back is
// refused (false, map unchanged) when a cell uses bank 1 or 2. Empty cells stay empty.
bool convertChipForm(MapDocument& map, bool toSplit);

}  // namespace quillane::map
