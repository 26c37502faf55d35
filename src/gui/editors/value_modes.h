#pragma once
// The project-wide value modes of the main window: maximum values (8), initial values
// (11) and the attack-rate mode (12).
namespace quillane::app {
class ModeRegistry;
struct ModeContext;
}  // namespace quillane::app

namespace quillane::gui {

void registerValueModes(app::ModeRegistry& registry);
void runMaxValuesMode(app::ModeContext& c);
void runInitialValuesMode(app::ModeContext& c);

}  // namespace quillane::gui
