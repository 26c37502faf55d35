// The command loop of MAINFORM: what each posted command does.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "core/map/view_geometry.h"
#include "core/settings/editor_settings.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/map/canvas_tool.h"
#include "gui/map/map_view.h"
#include "gui/map/palette_view.h"
#include "gui/ui/key_poller.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"

namespace quillane::app {

namespace {
bool isCanvasMode(int mode) { return mode == gui::kGroundMode || mode == gui::kEventMode || mode == gui::kSkyMode; }
}  // namespace

void MainWindow::dispatch(const QString& code) {
  if (noteShown_ && noteTransient_) clearNote();  // a note lasts until the next command
  if (view_->wholeMap()) view_->setWholeMap(false);  // the picture ends with the next command
  if (code == QLatin1String("END")) {
    quit();
    return;
  }
  if (const ModeInfo* m = modeByCommand(code)) {
    // The buttons are disabled while the command runs, so ask the mode itself.
    if (modeAvailable(m->mode)) enterMode(m->mode);
    return;
  }
  if (code == QLatin1String("SAV")) {
    saveCommand();
    return;
  }
  // Everything else is a map command, taken in the canvas modes only.
  if (!isCanvasMode(mode_) || !ws_.map) return;
  if (code == QLatin1String("2")) return scrollMap(0, 1);
  if (code == QLatin1String("8")) return scrollMap(0, -1);
  if (code == QLatin1String("4")) return scrollMap(-1, 0);
  if (code == QLatin1String("6")) return scrollMap(1, 0);
  if (code == QLatin1String("X")) return scrollPalette(0, 1);
  if (code == QLatin1String("W")) return scrollPalette(0, -1);
  if (code == QLatin1String("A")) return scrollPalette(-1, 0);
  if (code == QLatin1String("D")) return scrollPalette(1, 0);
  if (code == QLatin1String("HEN")) {
    setTool(nullptr);
    chooseMap();
    return;
  }
  if (code == QLatin1String("BKM") || code == QLatin1String("NXM")) {
    const int number = ws_.mapIndex + (code == QLatin1String("BKM") ? -1 : 1);
    if (number < 0 || number > ws_.db.max.maps - 1) return;
    setTool(nullptr);
    // A map whose files cannot be read: the message, then the map list, the open map kept.
    if (!openOrCreate(number) && !ending_) chooseMap();
    return;
  }
  if (code == QLatin1String("DEL")) {
    deleteMap();
    return;
  }
  if (code == QLatin1String("GLD")) {
    view_->setGrid(!view_->grid());
    palette_->setGrid(view_->grid());
    return;
  }
  if (code == QLatin1String("MJP")) {
    ws_.settings.scale = ws_.settings.scale ? 0 : 1;
    view_->setRuler(ws_.settings.scale != 0);
    syncScrollBars();  // the ruler's room changes the cells shown
    return;
  }
  if (code == QLatin1String("KSD") || code == QLatin1String("KSU")) {
    auto next = code == QLatin1String("KSD") ? map::zoomInStep(view_->zoom()) : map::zoomOutStep(view_->zoom());
    if (next) setZoom(*next);
    return;
  }
  if (code == QLatin1String("SPD")) {
    ws_.settings.scrollSpeed = (ws_.settings.scrollSpeed + 1) % 4;
    field(QStringLiteral("EDIT152"))->setText(QString::number(ws_.settings.scrollSpeed));
    keys_->setTickMs(40 + 10 * ws_.settings.scrollSpeed);
    return;
  }
  if (code == QLatin1String("ALL")) {
    view_->setWholeMap(true);
    return;
  }
  if (code == QLatin1String("MTD") || code == QLatin1String("MTU")) {
    if (ws_.splitMapChips() && mode_ == gui::kGroundMode) changeBank(code == QLatin1String("MTU") ? 1 : -1);
    return;
  }
  if (const ModeRegistry::Action* action = registry_.command(code, mode_)) {
    ModeContext ctx = context();
    (*action)(ctx);
    refreshStatus();
  }
}

void MainWindow::enterMode(int mode) {
  delete screen_;  // a mode's screen lasts until another mode is chosen
  previousMode_ = mode_;
  if (tool_) tool_->deactivate(*this);
  tool_ = nullptr;
  modeTool_.reset();
  mode_ = mode;
  refreshStatus();
  if (isCanvasMode(mode)) {
    if (!ws_.map) {
      chooseMap();
      if (!ws_.map || ending_) return;
    }
    clearNote();
    panel_->hide();
    canvas_.setStartMarkerShown(true);
    rebuildCanvas();
    refreshPalette();
    installMapTool();
    refreshStatus();
    updateButtons();
    return;
  }
  // A dialog mode: its dialog runs, then the mode selection.
  const ModeRegistry::Action* run = registry_.dialog(mode);
  if (run) {
    if (mode == 3) showMessage(QStringLiteral("　ゲーム開始時の人数分は先頭から順に登録して下さい"));
    for (auto& [name, b] : buttons_) b->setEnabled(false);
    keys_->setSuspended(true);
    ModeContext ctx = context();
    (*run)(ctx);
    keys_->setSuspended(false);
  }
  if (!ending_) enterChooseMode();
}

void MainWindow::enterChooseMode() {
  showMessage(QStringLiteral("　データ保存するか、モードを選択してください"));
  if (screen_) screen_->raise();
  updateButtons();
}

void MainWindow::showScreen(QWidget* screen, QPoint at) {
  delete screen_;
  screen_ = screen;
  screen->setParent(this);
  screen->move(view_->pos() + at);
  screen->show();
  screen->raise();
}

void MainWindow::quit() {
  QString text = QStringLiteral("終了します、よろしいですか？");
  if (ws_.unsaved()) text += QStringLiteral("\n（保存されていない変更があります）");
  bool yes = ui::messageBox(text, QStringLiteral("確認"), ui::Buttons::YesNo, ui::Icon::Exclamation) ==
             ui::Answer::Yes;
  // The settings are written whatever the answer.
  ws_.settings.password = ws_.enteredPassword;
  try {
    settings::saveSettings(ws_.programDir, ws_.settings);
  } catch (const std::exception&) {
    // A read-only program folder: the settings of this run are not kept.
  }
  if (!yes) return;
  ending_ = true;
  if (panel_->choosing()) panel_->cancel();
  keys_->releaseAll();
  emit ended();
  close();
}

}  // namespace quillane::app
