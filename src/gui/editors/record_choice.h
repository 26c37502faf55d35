#pragma once
// The record choice of the player, enemy, item and magic modes on the main window's list
// chooser. The dialog is opened through `open`; it keeps its window on screen for
// previous/next and hides it itself on OK or cancel.
#include <QStringList>
#include <functional>
#include <vector>

#include "core/editors/record_choice.h"

namespace quillane::app {
class MainWindow;
}

namespace quillane::gui {

inline constexpr int kPlayerChoiceLines = 24;
inline constexpr int kRecordChoiceLines = 27;  // enemies, items, magic

// Shows the records named `names` (0..count - 1) `linesPerPage` a page with `current`
// preselected (names is read again each time the list is shown), opens the chosen one, and comes back to the list after OK or cancel
// until the list is cancelled. `current` keeps the last record opened. `prompts` are
// the lines shown above the list.
void runRecordChoice(app::MainWindow& window, const std::vector<text::Bytes>& names, int count,
                     int linesPerPage, int& current,
                     const std::function<editors::RecordOutcome(int record)>& open,
                     const QStringList& prompts = {});

}  // namespace quillane::gui
