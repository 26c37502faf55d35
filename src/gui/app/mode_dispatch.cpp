// The one place where the editor's modes and map commands are plugged into the main
// window. Each subsystem adds its lines here; everything else of the window only routes.
#include "gui/app/mode_registry.h"
#include "gui/editors/record_modes.h"
#include "gui/editors/table_modes.h"
#include "gui/editors/value_modes.h"
#include "gui/event/event_mode.h"
#include "gui/editors/player_mode.h"
#include "gui/event/flag_mode.h"
#include "gui/map/canvas_host.h"
#include "gui/map/canvas_tool.h"
#include "gui/map/map_tool_commands.h"
#include "gui/tools/tool_modes.h"

namespace quillane::app {

void registerModes(ModeRegistry& registry) {
  // Canvas modes: ground map (1) and sky map (17) are always there; their pen and the
  // other painting tools register below.
  //   registry.canvasTool(gui::kGroundMode, [](ModeContext& c) { return ...; });
  //   registry.mapCommand("1", {gui::kGroundMode, gui::kEventMode, gui::kSkyMode}, ...);
  gui::registerMapTools(registry);
  // Event mode (2), the event chooser ("EVS"), opening (9) and ending (10) modes.
  gui::registerEventModes(registry);
  // Flag mode (7).
  gui::registerFlagMode(registry);
  // Player mode (3).
  gui::registerPlayerMode(registry);
  // Enemy (4), item (5) and magic (6) modes.
  gui::registerRecordModes(registry);
  // Attributes (13), messages (14) and map objects (18).
  gui::registerTableModes(registry);
  // Import (15) and test-play save (16).
  gui::registerToolModes(registry);
  // Maximum values (8), initial values (11), the attack-rate mode (12).
  gui::registerValueModes(registry);
}

}  // namespace quillane::app
