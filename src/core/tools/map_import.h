#pragma once
// A whole map of another project brought in as the map being edited: read with that
// project's file keys, map-chip form and the file's own version into a separate map,
// then converted to this project's map-chip form.
#include "core/map/map_document.h"
#include "core/tools/source_project.h"

namespace quillane::tools {

enum class MapImport {
  Imported,
  ReadFailed,   // a file of the source map is missing or damaged
  BanksInUse,   // split form into standard form, and a cell uses bank 1 or 2
};

// Converts the ground layer between the map-chip forms: standard to split prefixes
// "0" (bank 0); split to standard drops the bank digit, refused (false, nothing
// changed) when a cell inside the map's width and height uses another bank.
bool convertGroundForm(map::MapDocument& map, bool fromSplit, bool toSplit);

// Reads source map `number` into `out` (only when the result is Imported; `out` is
// marked modified: it reaches this project's files at the next save).
MapImport importMap(const SourceProject& source, int number, bool targetSplit, map::MapDocument& out);

}  // namespace quillane::tools
