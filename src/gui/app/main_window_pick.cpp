// The main window's side of an on-map pick asked by a dialog mode: the dialog is hidden,
// the canvas of the open map and the palette of the picked sheet are shown and take
// presses, a note over the map says what to do; afterwards the window looks as it did.
// The note is also how the window says something in a canvas mode without covering
// the map.
#include <QLineEdit>

#include "gui/app/main_window.h"
#include "gui/map/map_view.h"
#include "gui/ui/message_panel.h"

namespace quillane::app {

void MainWindow::beginDialogPick(bool terrain) {
  dialogPick_ = terrain ? gui::kGroundMode : gui::kEventMode;
  clearNote();
  dialogPickPanel_ = panel_->isVisible();
  panel_->hide();
  // What to do, for as long as the pick waits.
  showNote(QStringLiteral("パレットでキャラクタを選び、マップをクリック（Escで取消）"), false);
  rebuildCanvas();
  refreshPalette();
  updateButtons();
  activateWindow();
}

void MainWindow::endDialogPick() {
  dialogPick_ = 0;
  clearNote();
  refreshPalette();
  if (dialogPickPanel_) {
    panel_->show();
    panel_->raise();
  }
  updateButtons();
}

}  // namespace quillane::app

namespace quillane::app {

void MainWindow::showNote(const QString& line, bool transient) {
  if (!noteShown_) {
    linesBeforeNote_ = panel_->lines();
    panelShownBeforeNote_ = panel_->isVisible();
    panelGeometry_ = panel_->geometry();
  }
  noteShown_ = true;
  noteTransient_ = transient;
  panel_->clearLines();
  panel_->addLine(line);
  placeNote();
  panel_->setAttribute(Qt::WA_TransparentForMouseEvents, true);
  panel_->show();
  panel_->raise();
}

void MainWindow::clearNote() {
  if (!noteShown_) return;
  noteShown_ = false;
  panel_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
  panel_->setGeometry(panelGeometry_);
  panel_->clearLines();
  for (const QString& line : linesBeforeNote_) panel_->addLine(line);
  panel_->setVisible(panelShownBeforeNote_);
}

}  // namespace quillane::app
