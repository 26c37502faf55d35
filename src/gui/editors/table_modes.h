#pragma once
// The attribute (13), message (14) and object (18) modes: each shows the list chooser
// with its records, opens the dialog on the chosen one and shows the chooser again when
// the dialog closes, until the chooser is cancelled.
namespace quillane::app {
class ModeRegistry;
}

namespace quillane::gui {

void registerTableModes(app::ModeRegistry& registry);

}  // namespace quillane::gui
