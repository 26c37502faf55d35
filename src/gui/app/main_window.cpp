#include "gui/app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "core/map/view_geometry.h"
#include "gui/app/workspace.h"
#include "gui/map/canvas_tool.h"
#include "gui/map/map_view.h"
#include "gui/map/palette_view.h"
#include "gui/ui/key_poller.h"
#include "gui/ui/message_box.h"
#include "gui/ui/message_panel.h"
#include "gui/ui/text_bridge.h"

namespace quillane::app {

namespace {
const ModeInfo kModes[] = {
    {1, "地上マップモード", "BUTTON75", "地上マップ", "MPM"},
    {2, "イベントモード", "BUTTON76", "イベント", "EVM"},
    {3, "プレイヤーモード", "BUTTON71", "プレイヤー", "PLM"},
    {4, "敵モード", "BUTTON73", "敵", "ENM"},
    {5, "道具・武器モード", "BUTTON74", "道具", "ITM"},
    {6, "魔法モード", "BUTTON77", "魔法", "MGM"},
    {7, "フラグモード", "BUTTON72", "フラグ", "FGM"},
    {8, "最大値モード", "BUTTON80", "最大値", "MXM"},
    {9, "オープニングモード", "BUTTON78", "オープニング", "OPM"},
    {10, "エンディングモード", "BUTTON79", "エンディング", "EDM"},
    {11, "初期値モード", "BUTTON81", "初期値", "INM"},
    {12, "敵攻撃受率モード", "BUTTON82", "攻撃受率", "EAM"},
    {13, "属性モード", "BUTTON83", "属性", "ZKM"},
    {14, "メッセージモード", "BUTTON84", "メッセージ", "MSM"},
    {15, "インポートモード", "BUTTON103", "インポート", "INP"},
    {16, "デバッグモード", "BUTTON112", "デバッグ", "DBG"},
    {17, "上空マップモード", "BUTTON111", "上空マップ", "MPU"},
    {18, "オブジェクトモード", "BUTTON131", "オブジェクト", "OBJ"},
};

bool isCanvasMode(int mode) { return mode == gui::kGroundMode || mode == gui::kEventMode || mode == gui::kSkyMode; }

QString zoomText(double zoom) { return QString::number(zoom, 'g', 6); }

// The bank names of the split map-chip form, shown in ground map mode.
QString bankName(int bank) {
  switch (bank) {
    case 1: return QStringLiteral("不可");
    case 2: return QStringLiteral("イベ不");
    default: return QStringLiteral("可");
  }
}
}  // namespace

const ModeInfo* modeByCommand(const QString& command) {
  for (const ModeInfo& m : kModes)
    if (command == QLatin1String(m.command)) return &m;
  return nullptr;
}

const ModeInfo* modeByNumber(int mode) {
  for (const ModeInfo& m : kModes)
    if (m.mode == mode) return &m;
  return nullptr;
}

MainWindow::MainWindow(Workspace& workspace, QWidget* parent) : QWidget(parent), ws_(workspace) {
  setObjectName(QStringLiteral("MAINFORM"));
  setWindowTitle(QStringLiteral("Quillane"));
  canvas_.symbols().load(ws_.programDir);
  buildControls();
  registerModes(registry_);

  view_->onMouse = [this](int kind, const gui::CanvasPoint& at) { onViewMouse(kind, at); };
  view_->onOverlay = [this](QPainter& p, double cell) {
    if (tool_) tool_->paintOverlay(*this, p, cell);
  };
  view_->onWheel = [this](QPoint at, QWheelEvent* event) { onViewWheel(at, event); };
  view_->onScrolled = [this] { syncScrollBars(); };
  connect(vscroll1_, &QScrollBar::valueChanged, this, [this](int v) {
    view_->setScroll(view_->scrollColumn(), v);
    refreshCursorCell();
  });
  connect(hscroll1_, &QScrollBar::valueChanged, this, [this](int v) {
    view_->setScroll(v, view_->scrollRow());
    refreshCursorCell();
  });
  connect(hscroll2_, &QScrollBar::valueChanged, this, [this](int v) {
    palette_->setScroll(v, palette_->scrollRow());
  });
  connect(vscroll2_, &QScrollBar::valueChanged, this, [this](int v) {
    palette_->setScroll(palette_->scrollColumn(), v);
  });

  keys_ = new ui::KeyPoller(this, [this](const QString& code) { post(code); });

  view_->setZoom(ws_.settings.zoom);
  view_->setRuler(ws_.settings.scale != 0);
  keys_->setTickMs(40 + 10 * ws_.settings.scrollSpeed);
  field(QStringLiteral("EDIT157"))->setText(zoomText(ws_.settings.zoom));
  field(QStringLiteral("EDIT152"))->setText(QString::number(ws_.settings.scrollSpeed));
  ui::setBoxParent(this);
  updateButtons();
}

MainWindow::~MainWindow() {
  ui::setBoxParent(nullptr);
  if (tool_) tool_->deactivate(*this);
}

QPushButton* MainWindow::button(const QString& name) const {
  auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

QLineEdit* MainWindow::field(const QString& name) const {
  auto it = fields_.find(name);
  return it == fields_.end() ? nullptr : it->second;
}

ModeContext MainWindow::context() { return ModeContext{*this, ws_, *this}; }

void MainWindow::start() {
  showMessage(QStringLiteral("　編集したいマップを選択して下さい"));
  busy_ = true;
  chooseMap();
  if (!ending_) enterMode(gui::kGroundMode);
  busy_ = false;
  if (ending_) return;
  updateButtons();
  if (!pending_.isEmpty()) runPosted();
}

void MainWindow::post(const QString& code) {
  if (code.isEmpty() || ending_) return;
  if (busy_) {
    // Only "終了" is taken while a command (the list chooser) holds the window, and the
    // bank buttons during a dialog's terrain pick.
    if (code == QLatin1String("END") && choosing_) quit();
    if (dialogPick_ == gui::kGroundMode && ws_.splitMapChips() &&
        (code == QLatin1String("MTD") || code == QLatin1String("MTU")))
      changeBank(code == QLatin1String("MTU") ? 1 : -1);
    return;
  }
  pending_ = code;  // one posted command at a time; a later post replaces it
  if (!scheduled_) {
    scheduled_ = true;
    QTimer::singleShot(0, this, [this] {
      scheduled_ = false;
      runPosted();
    });
  }
}

void MainWindow::runPosted() {
  if (busy_ || pending_.isEmpty()) return;
  QString code = pending_;
  pending_.clear();
  busy_ = true;
  updateButtons();  // a question or dialog of the command finds the buttons disabled
  dispatch(code);
  busy_ = false;
  if (ending_) return;
  updateButtons();
}

int MainWindow::chooseFromList(const QStringList& prompts, const QStringList& items, int linesPerPage, int preselect) {
  clearNote();
  bool wasChoosing = choosing_;
  choosing_ = true;
  keys_->setSuspended(true);
  updateButtons();
  panel_->show();
  panel_->raise();
  int result = panel_->choose(ui::ChooserRequest{prompts, items, linesPerPage, preselect});
  choosing_ = wasChoosing;
  keys_->setSuspended(false);
  if (isCanvasMode(mode_) && ws_.map) panel_->hide();
  updateButtons();
  return ending_ ? 0 : result;
}

void MainWindow::showMessage(const QString& line) {
  clearNote();
  panel_->clearLines();
  panel_->addLine(line);
  panel_->show();
  panel_->raise();
}

void MainWindow::markMapModified() {
  if (ws_.map) ws_.map->modified = true;
}

bool MainWindow::modeAvailable(int mode) const {
  bool built = mode == gui::kGroundMode || mode == gui::kSkyMode ||
               (mode == gui::kEventMode ? registry_.tool(gui::kEventMode) != nullptr
                                        : registry_.dialog(mode) != nullptr);
  return built && (ws_.map != nullptr || !isCanvasMode(mode));
}

void MainWindow::updateButtons() {
  const bool canvas = isCanvasMode(mode_) && ws_.map != nullptr;
  for (auto& [name, b] : buttons_) {
    const QString& code = commandOf_[name];
    bool on = false;
    if (choosing_) {
      on = code == QLatin1String("END");
    } else if (busy_) {
      // A command is running (a question, a dialog); a dialog's terrain pick keeps the
      // bank buttons.
      on = dialogPick_ == gui::kGroundMode && ws_.splitMapChips() &&
           (code == QLatin1String("MTD") || code == QLatin1String("MTU"));
    } else if (code == QLatin1String("END")) {
      on = true;
    } else if (const ModeInfo* m = modeByCommand(code)) {
      on = modeAvailable(m->mode);
    } else if (code == QLatin1String("SAV")) {
      on = true;
    } else if (!canvas) {
      on = false;
    } else if (code == QLatin1String("HEN") || code == QLatin1String("DEL") || code == QLatin1String("GLD") ||
               code == QLatin1String("MJP") || code == QLatin1String("SPD") || code == QLatin1String("ALL")) {
      on = true;
    } else if (code == QLatin1String("BKM")) {
      on = ws_.mapIndex > 0;
    } else if (code == QLatin1String("NXM")) {
      on = ws_.mapIndex < ws_.db.max.maps - 1;
    } else if (code == QLatin1String("KSD")) {
      on = map::zoomInStep(view_->zoom()).has_value();
    } else if (code == QLatin1String("KSU")) {
      on = map::zoomOutStep(view_->zoom()).has_value();
    } else if (code == QLatin1String("MTD") || code == QLatin1String("MTU")) {
      on = ws_.splitMapChips() && mode_ == gui::kGroundMode;
    } else {
      on = registry_.command(code, mode_) != nullptr && registry_.commandState(code).enabled;
    }
    b->setEnabled(on);
    if (registry_.hasCommand(code)) {
      const QString tip = registry_.commandState(code).toolTip;
      if (!tip.isEmpty()) b->setToolTip(tip);
    }
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The title bar's close acts like "終了": the same question.
  event->ignore();
  if (ending_) {
    event->accept();
    return;
  }
  post(QStringLiteral("END"));
}

// ---- canvas host ------------------------------------------------------------------

void MainWindow::refreshView() {
  syncScrollBars();  // a tool may have scrolled the view (the event chooser does)
  view_->update();
}

void MainWindow::rebuildCanvas() {
  canvas_.setSkyMode(mode_ == gui::kSkyMode);
  canvas_.build();
  syncScrollBars();
  view_->update();
}

void MainWindow::refreshPalette() {
  paletteSourceForMode();
  palette_->update();
  // A pick may have scrolled the palette.
  QSignalBlocker b1(hscroll2_), b2(vscroll2_);
  hscroll2_->setValue(palette_->scrollColumn());
  vscroll2_->setValue(palette_->scrollRow());
}

void MainWindow::paletteSourceForMode() {
  const int mode = dialogPick_ != 0 ? dialogPick_ : mode_;
  if (mode == gui::kSkyMode) {
    palette_->setSource(&canvas_.sheets().sky, 0);
    palette_->setSingleCell(false);
  } else if (mode == gui::kEventMode) {
    palette_->setSource(&canvas_.sheets().character, 0);
    palette_->setSingleCell(true);
  } else {
    int bank = ws_.splitMapChips() ? palette_->bank() : 1;
    palette_->setSource(&canvas_.sheets().work, (bank - 1) * 512);
    palette_->setSingleCell(false);
  }
  QLineEdit* bankField = field(QStringLiteral("EDIT158"));
  bankField->setText(ws_.splitMapChips() && mode == gui::kGroundMode ? bankName(palette_->bank()) : QString());
}

void MainWindow::refreshStatus() {
  const bool open = ws_.map != nullptr;
  field(QStringLiteral("EDIT8"))->setText(open ? QString::number(ws_.mapIndex) : QString());
  field(QStringLiteral("EDIT4"))->setText(open ? QString::number(ws_.map->width) : QString());
  field(QStringLiteral("EDIT7"))->setText(open ? QString::number(ws_.map->height) : QString());
  QString name;
  if (open && ws_.mapIndex >= 0 && ws_.mapIndex < ws_.db.maps.count()) name = ui::toQString(ws_.db.maps.name[ws_.mapIndex]);
  field(QStringLiteral("EDIT19"))->setText(name);
  // A canvas mode without an open map (after a deletion, while the map is chosen) is no
  // mode one works in yet.
  const ModeInfo* m = modeByNumber(mode_);
  const bool shown = m && (open || !isCanvasMode(mode_));
  field(QStringLiteral("EDIT9"))->setText(shown ? QString::fromUtf8(m->name) : QString());
  field(QStringLiteral("EDIT201"))->setText(tool_ ? tool_->name() : QString());
  refreshCursorCell();
}

void MainWindow::refreshCursorCell() {
  // The cell under the last mouse position over the view, for the map as it is now
  // (scrolled, zoomed, another map): clamped into the view and the map; and its code.
  QString column, row, code;
  if (ws_.map && (isCanvasMode(mode_) || dialogPick_ != 0)) {
    const gui::CanvasPoint at = view_->pointAt(mouseAt_);
    column = QString::number(at.clampedColumn);
    row = QString::number(at.clampedRow);
    code = cellCodeText(at.clampedRow, at.clampedColumn);
  }
  field(QStringLiteral("EDIT16"))->setText(column);
  field(QStringLiteral("EDIT17"))->setText(row);
  field(QStringLiteral("EDIT_CODE"))->setText(code);
}

QString MainWindow::cellCodeText(int row, int column) const {
  if (!map::TileLayer::inGrid(row, column)) return {};
  const int mode = dialogPick_ != 0 ? dialogPick_ : mode_;
  if (mode == gui::kSkyMode) {
    const map::TileCode sky = ws_.map->sky.at(row, column);
    return sky.view() == "00" ? QStringLiteral("00（なし）") : ui::toQString(sky.text());
  }
  const map::TileCode ground = ws_.map->ground.at(row, column);
  QString text = ui::toQString(ground.text());
  // The bank digit of the split map-chip form names the tile's passability.
  if (ws_.splitMapChips() && ground.size() == 3 && ground.view()[0] >= '0' && ground.view()[0] <= '2')
    text += QStringLiteral("（%1）").arg(bankName(ground.view()[0] - '0' + 1));
  return text;
}

void MainWindow::setTool(gui::CanvasTool* tool) {
  if (!tool) tool = modeTool_.get();
  if (tool == tool_) return;
  if (tool_) tool_->deactivate(*this);
  tool_ = tool;
  // The click that chose the tool is not its first press.
  waitRelease_ = QApplication::mouseButtons() != Qt::NoButton;
  if (tool_) tool_->activate(*this);
  field(QStringLiteral("EDIT201"))->setText(tool_ ? tool_->name() : QString());
  view_->update();
}

void MainWindow::installMapTool() {
  if (tool_) tool_->deactivate(*this);
  tool_ = nullptr;
  modeTool_.reset();
  if (const auto* make = registry_.tool(mode_)) {
    ModeContext ctx = context();
    modeTool_ = (*make)(ctx);
  }
  setTool(nullptr);
}

void MainWindow::onViewMouse(int kind, const gui::CanvasPoint& at) {
  // A transient note goes with the next click, which then acts as usual.
  if (kind == 0 && noteShown_ && noteTransient_) clearNote();
  // A dialog's on-map pick takes presses while its dialog mode runs.
  if (!ws_.map || (dialogPick_ == 0 && (!isCanvasMode(mode_) || busy_))) return;
  if (kind == 0 && view_->wholeMap()) {
    view_->setWholeMap(false);  // the picture ends with the next click
    return;
  }
  if (view_->wholeMap()) return;
  mouseAt_ = at.view;
  refreshCursorCell();
  if (waitRelease_) {
    if (at.buttons == Qt::NoButton) waitRelease_ = false;
    return;
  }
  if (!tool_) return;
  if (kind == 0)
    tool_->press(*this, at);
  else if (kind == 1)
    tool_->move(*this, at);
  else
    tool_->release(*this, at);
  if (kind != 1 && !busy_) updateButtons();  // an edit made: the history buttons follow
}

void MainWindow::syncScrollBars() {
  QSignalBlocker b1(vscroll1_), b2(hscroll1_), b3(hscroll2_), b4(vscroll2_);
  view_->setScroll(view_->scrollColumn(), view_->scrollRow());
  hscroll1_->setRange(0, view_->maxScrollColumn());
  vscroll1_->setRange(0, view_->maxScrollRow());
  hscroll1_->setValue(view_->scrollColumn());
  vscroll1_->setValue(view_->scrollRow());
  hscroll2_->setValue(palette_->scrollColumn());
  vscroll2_->setValue(palette_->scrollRow());
  refreshCursorCell();
}

void MainWindow::scrollMap(int dColumn, int dRow) {
  view_->setScroll(view_->scrollColumn() + dColumn, view_->scrollRow() + dRow);
  syncScrollBars();
}

void MainWindow::scrollPalette(int dColumn, int dRow) {
  palette_->setScroll(palette_->scrollColumn() + dColumn, palette_->scrollRow() + dRow);
  syncScrollBars();
}

void MainWindow::setZoom(double zoom) {
  ws_.settings.zoom = zoom;
  view_->setZoom(zoom);
  field(QStringLiteral("EDIT157"))->setText(zoomText(zoom));
  syncScrollBars();
}

void MainWindow::changeBank(int delta) {
  int bank = (palette_->bank() - 1 + delta + 3) % 3 + 1;  // cycles 1..3
  palette_->setBank(bank);
  refreshPalette();
}

void MainWindow::mapChanged() {
  ModeContext ctx = context();
  for (const auto& action : registry_.mapChangedActions()) action(ctx);
}

void MainWindow::showLoadMessages(const QStringList& messages) {
  for (const QString& text : messages)
    ui::messageBox(text, gui::bitmapErrorTitle(), ui::Buttons::Ok, ui::Icon::Exclamation);
}

}  // namespace quillane::app
