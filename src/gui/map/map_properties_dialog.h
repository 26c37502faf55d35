#pragma once
// Runs the map-properties dialog FORM10 on the open map: every button but "ｷｬﾝｾﾙ"
// applies the fields first; "ｷｬﾝｾﾙ" (or closing the window) puts back what the dialog
// found when it opened. Music started with "演奏" stops when the dialog closes.
#include <filesystem>
#include <functional>

#include "core/data/project_database.h"
#include "core/map/map_document.h"

class QWidget;

namespace quillane::media {
class SoundPreview;
}

namespace quillane::gui {

struct MapPropertiesOutcome {
  bool accepted = false;  // closed with "OK" (false: cancelled, everything restored)
  // What differs from the moment the dialog opened: the caller reloads those bitmaps
  // and rebuilds the canvas.
  bool sizeChanged = false;
  bool tileSetChanged = false;
  bool skyTileSetChanged = false;
  bool characterSetChanged = false;
  bool eventsDeleted = false;
  bool bitmapsChanged() const { return tileSetChanged || skyTileSetChanged || characterSetChanged; }
};

struct MapPropertiesTarget {
  std::filesystem::path projectFolder;  // GRP and mid live here
  map::MapDocument& map;
  int number;                           // the open map's number
  data::ProjectDatabase& db;
  media::SoundPreview& sound;
  // Called after each apply while the dialog stays open (the main window refreshes its
  // status fields and palette).
  std::function<void()> onApplied;
};

MapPropertiesOutcome runMapProperties(QWidget* parent, MapPropertiesTarget target);

}  // namespace quillane::gui
