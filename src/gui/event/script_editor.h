#pragma once
// The event script editor FORM2 as the rest of the editor calls it: on one event of the
// open map (event mode), or on the opening or ending script.
#include <QImage>
#include <filesystem>

#include "core/map/map_file_context.h"

class QWidget;

namespace quillane::data {
struct ProjectDatabase;
struct Script;
}  // namespace quillane::data
namespace quillane::map {
struct MapDocument;
}

namespace quillane::gui {

class FlagMapPicker;

enum class ScriptEditorMode { Event, Opening, Ending };
enum class ScriptEditorOutcome { Ok, Cancel, Deleted };

// What the dialog borrows from its caller.
struct ScriptEditorContext {
  const data::ProjectDatabase& db;
  std::filesystem::path projectFolder;
  map::MapFileContext fileContext;  // reading other maps' event files
  map::MapDocument* openMap = nullptr;  // its events are the event data of its number
  int openMapNumber = -1;
  const QImage* characterSheet = nullptr;  // the preview and "イベント"
  const QImage* terrainSheet = nullptr;    // "地形"
  FlagMapPicker* picker = nullptr;         // "参照"; disabled when null
  QWidget* parent = nullptr;
};

// Event mode: opens event `number` of the open map. "OK" copies the lines, speed and
// cell texts back (the map is then marked modified); "イベント削除" deletes the event
// and renumbers the later ones. The caller redraws the canvas.
ScriptEditorOutcome editEvent(ScriptEditorContext& context, int number);

// Opening and ending modes: the script's lines only.
ScriptEditorOutcome editStoryScript(ScriptEditorContext& context, data::Script& script, ScriptEditorMode mode);

}  // namespace quillane::gui
