#pragma once
// The enemy ("ENM"), item ("ITM") and magic ("MGM") modes: the record choice of the
// main window's list chooser, 27 lines a page, and the record's dialog.
namespace quillane::app {
class ModeRegistry;
}

namespace quillane::gui {

void registerRecordModes(app::ModeRegistry& registry);

}  // namespace quillane::gui
