#pragma once
// Flag mode ("FGM"): FORM12 on the open map's flag table. Other maps' event lists are
// read on their own for the life of the dialog; the open map's come from memory.
#include <filesystem>

#include "gui/event/flag_map_picker.h"

class QWidget;

namespace quillane::data {
struct ProjectDatabase;
}
namespace quillane::map {
struct MapDocument;
}

namespace quillane::app {
class ModeRegistry;
}

namespace quillane::gui {

// Plugs flag mode (7) into the main window: the dialog on the open map, its "C" and "E"
// steps picked on the main window's canvas.
void registerFlagMode(app::ModeRegistry& registry);

// Runs the dialog until "OK" or "ｷｬﾝｾﾙ". Returns true when "OK" kept a table that
// differs from the one the dialog opened with; the map is then marked modified.
bool runFlagMode(const data::ProjectDatabase& db, map::MapDocument& openMap, int openMapNumber,
                 const std::filesystem::path& projectFolder, FlagMapPicker* picker, QWidget* parent = nullptr);

}  // namespace quillane::gui
