#pragma once
// What the map files need from the database: the file keys, the map-chip form and the
// two maxima ("イベント数", "メッセージ数"). With it, map::dataBeyondCounts tells whether
// a save would leave out events or script lines beyond the current maxima.
#include "core/data/project_database.h"
#include "core/map/map_file_context.h"

namespace quillane::data {

map::MapFileContext mapContext(const ProjectDatabase& db);

}  // namespace quillane::data
