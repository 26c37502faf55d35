#include "core/tools/map_import.h"

#include "core/data/map_context.h"
#include "core/map/map_files.h"
#include "core/text/read_error.h"

namespace quillane::tools {

bool convertGroundForm(map::MapDocument& doc, bool fromSplit, bool toSplit) {
  if (fromSplit == toSplit) return true;
  map::TileLayer& ground = doc.ground;
  if (!toSplit) {
    for (int r = 0; r < doc.height && r < map::kGridSize; ++r)
      for (int c = 0; c < doc.width && c < map::kGridSize; ++c) {
        std::string_view code = ground.at(r, c).view();
        if (code.size() == 3 && code[0] != '0') return false;
      }
  }
  for (int r = 0; r < map::kGridSize; ++r) {
    map::TileCode* row = ground.row(r);
    for (int c = 0; c < map::kGridSize; ++c) {
      std::string_view code = row[c].view();
      if (toSplit && code.size() == 2) row[c] = map::TileCode("0" + std::string(code));
      if (!toSplit && code.size() == 3) row[c] = map::TileCode(code.substr(1));
    }
  }
  return true;
}

MapImport importMap(const SourceProject& source, int number, bool targetSplit, map::MapDocument& out) {
  const map::MapFileContext context = data::mapContext(source.db);
  map::MapDocument doc;
  try {
    doc = map::readMap(source.folder, number, context);
  } catch (const std::exception&) {  // ReadError, or a folder that cannot be listed
    return MapImport::ReadFailed;
  }
  if (!convertGroundForm(doc, context.splitChips, targetSplit)) return MapImport::BanksInUse;
  doc.modified = true;
  out = std::move(doc);
  return MapImport::Imported;
}

}  // namespace quillane::tools
