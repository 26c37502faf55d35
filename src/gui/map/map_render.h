#pragma once
// A map as a picture, drawn as the editor's canvas draws it (the same tile sheets, the
// sky over the ground, events from the character sheet), for quillane-tool render.
#include <QImage>
#include <QStringList>
#include <filesystem>

#include "core/data/project_database.h"
#include "core/map/map_document.h"

namespace quillane::gui {

struct RenderOptions {
  enum class Layer { Ground, Sky, Both };
  Layer layer = Layer::Both;  // Sky: the editor's sky view (ground dimmed); Both: sky over plain ground
  bool events = false;
  bool grid = false;
  int scale = 1;  // each cell 32 × scale pixels, scaled nearest-neighbour
};

// Draws `doc` (a map of the project in `folder`); bitmaps that cannot be read are drawn
// blank and named in `messages`. The symbol patterns come from `programDir` or the
// installed pictures.
QImage renderMap(const std::filesystem::path& folder, const std::filesystem::path& programDir,
                 const data::ProjectDatabase& db, map::MapDocument& doc, const RenderOptions& options,
                 QStringList& messages);

}  // namespace quillane::gui
