#pragma once
// Import (mode 15) and the test-play save (mode 16) plugged into the main window.
namespace quillane::app {
class ModeRegistry;
}

namespace quillane::gui {

void registerToolModes(app::ModeRegistry& registry);

}  // namespace quillane::gui
