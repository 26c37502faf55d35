// The main window's side of an on-map pick asked by a dialog mode: the dialog is hidden,
// the canvas of the open map and the palette of the picked sheet are shown and take
// presses; afterwards the window looks as it did.
#include <QLineEdit>

#include "gui/app/main_window.h"
#include "gui/ui/message_panel.h"

namespace quillane::app {

void MainWindow::beginDialogPick(bool terrain) {
  dialogPick_ = terrain ? gui::kGroundMode : gui::kEventMode;
  dialogPickPanel_ = panel_->isVisible();
  panel_->hide();
  rebuildCanvas();
  refreshPalette();
  updateButtons();
  activateWindow();
}

void MainWindow::endDialogPick() {
  dialogPick_ = 0;
  refreshPalette();
  if (dialogPickPanel_) {
    panel_->show();
    panel_->raise();
  }
  updateButtons();
}

}  // namespace quillane::app
