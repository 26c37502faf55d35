#include "gui/tools/tool_modes.h"

#include "core/map/map_document.h"
#include "gui/app/main_window.h"
#include "gui/app/mode_registry.h"
#include "gui/app/workspace.h"
#include "gui/tools/debug_dialog.h"
#include "gui/tools/import_dialog.h"

namespace quillane::gui {

void registerToolModes(app::ModeRegistry& registry) {
  registry.dialogMode(15, [](app::ModeContext& c) {
    app::MainWindow& window = c.window;
    ImportDialog::MapHooks hooks;
    hooks.confirmReplace = [&window] { return window.confirmDiscardMap(); };
    // The imported map becomes the open one under its number: the window shows it and
    // runs its map-changed actions (undo buffer, copy state).
    hooks.install = [&window, &ws = c.workspace](std::unique_ptr<map::MapDocument> doc) {
      window.installMap(std::move(doc), ws.mapIndex);
    };
    ImportDialog dialog(c.workspace, std::move(hooks), &window);
    dialog.run();
  });
  registry.dialogMode(16, [](app::ModeContext& c) {
    if (!c.workspace.map) return;  // the save file holds the open map's start and events
    DebugDialog dialog(c.workspace, &c.window);
    dialog.run();
  });
}

}  // namespace quillane::gui
