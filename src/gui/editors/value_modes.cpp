#include "gui/editors/value_modes.h"

#include <algorithm>

#include "core/data/map_context.h"
#include "core/map/map_files.h"
#include "gui/app/main_window.h"
#include "gui/app/mode_registry.h"
#include "gui/app/workspace.h"
#include "gui/editors/attack_rate_screen.h"
#include "gui/editors/initial_values_dialog.h"
#include "gui/editors/max_values_dialog.h"
#include "gui/event/event_pick.h"

namespace quillane::gui {

void runMaxValuesMode(app::ModeContext& c) {
  app::Workspace& ws = c.workspace;
  const data::MaxValues before = ws.db.max;
  MaxValuesDialog dialog(ws.db, ws.map ? &ws.map->events : nullptr, &c.window);
  if (dialog.run() && !(ws.db.max == before)) ws.databaseModified = true;
}

void runInitialValuesMode(app::ModeContext& c) {
  app::Workspace& ws = c.workspace;
  const map::MapFileContext context = data::mapContext(ws.db);
  const int maps = std::clamp(ws.db.max.maps, 0, ws.db.maps.count());
  std::vector<text::Bytes> names(ws.db.maps.name.begin(), ws.db.maps.name.begin() + maps);
  static const event::MapEvents noEvents;
  const std::filesystem::path folder = ws.projectFolder;
  event::FlagEventSource source(ws.map ? ws.mapIndex : -1, ws.map ? ws.map->events : noEvents, std::move(names),
                                [folder, context](int number) -> std::optional<event::MapEvents> {
                                  return map::readOtherMapEvents(folder, number, context);
                                });
  CanvasMapPicker picker(c.host);
  InitialValuesDialog dialog(ws.db, source, ws.map ? &picker : nullptr, &c.window);
  const InitialValuesOutcome outcome = dialog.run();
  if (!outcome.accepted) return;
  if (outcome.changed) ws.databaseModified = true;
  // The editing password typed at the next start is the new one.
  ws.enteredPassword = outcome.editingPassword;
  ws.settings.password = outcome.editingPassword;
  try {
    settings::saveSettings(ws.programDir, ws.settings);
  } catch (const std::exception&) {
    // A read-only program folder: the settings of this run are not kept.
  }
  if (outcome.lookChanged) c.window.projectLookChanged();
}

void registerValueModes(app::ModeRegistry& registry) {
  registry.dialogMode(8, runMaxValuesMode);
  registry.dialogMode(11, runInitialValuesMode);
  registerAttackRateMode(registry);
}

}  // namespace quillane::gui
