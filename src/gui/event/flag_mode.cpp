#include "gui/event/flag_mode.h"

#include <algorithm>

#include "core/data/map_context.h"
#include "core/data/project_database.h"
#include "core/map/map_document.h"
#include "core/map/map_files.h"
#include "gui/app/main_window.h"
#include "gui/app/mode_registry.h"
#include "gui/app/workspace.h"
#include "gui/event/event_pick.h"
#include "gui/event/flag_dialog.h"

namespace quillane::gui {

bool runFlagMode(const data::ProjectDatabase& db, map::MapDocument& openMap, int openMapNumber,
                 const std::filesystem::path& projectFolder, FlagMapPicker* picker, QWidget* parent) {
  const map::MapFileContext context = data::mapContext(db);
  const int maps = std::clamp(db.max.maps, 0, db.maps.count());
  std::vector<text::Bytes> names(db.maps.name.begin(), db.maps.name.begin() + maps);
  event::FlagEventSource source(openMapNumber, openMap.events, std::move(names),
                                [&projectFolder, context](int number) -> std::optional<event::MapEvents> {
                                  return map::readOtherMapEvents(projectFolder, number, context);
                                });
  const std::vector<event::FlagEntry> before = openMap.flags;
  FlagDialog dialog(openMap.flags, source, context.splitChips, picker, parent);
  const bool kept = dialog.run();
  const bool changed = kept && !event::sameFlagTables(before, openMap.flags);
  if (changed) openMap.modified = true;
  return changed;
}

void registerFlagMode(app::ModeRegistry& registry) {
  registry.dialogMode(7, [](app::ModeContext& c) {
    app::Workspace& ws = c.workspace;
    if (!ws.map) return;  // the flag table belongs to the open map
    CanvasMapPicker picker(c.host);
    runFlagMode(ws.db, *ws.map, ws.mapIndex, ws.projectFolder, &picker, &c.window);
  });
}

}  // namespace quillane::gui
