// The map view as the window's size and the mouse wheel drive it: a window larger than
// its default size gives the extra room to the map view (the controls at the right
// move right, the mode buttons down); the wheel scrolls (Shift: sideways) and with Ctrl
// zooms through the zoom steps around the cell under the pointer.
#include <QLineEdit>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "core/map/view_geometry.h"
#include "gui/app/main_window.h"
#include "gui/app/workspace.h"
#include "gui/map/map_ruler.h"
#include "gui/map/map_view.h"
#include "gui/ui/message_panel.h"

namespace quillane::app {

namespace {
constexpr int kWheelNotch = 120;   // angle delta of one notch
constexpr int kCellsPerNotch = 3;  // cells one notch scrolls
}  // namespace

void MainWindow::resizeEvent(QResizeEvent*) { layoutForSize(); }

void MainWindow::layoutForSize() {
  if (!defaultSize_.isValid()) return;
  const int dx = std::max(0, width() - defaultSize_.width());
  const int dy = std::max(0, height() - defaultSize_.height());
  const QRect viewAt(8, 8, gui::kViewSize, gui::kViewSize);  // where the view stands at the default size
  for (const auto& [widget, at] : defaultGeometry_) {
    if (widget == view_ || widget == panel_) {
      widget->setGeometry(at.adjusted(0, 0, dx, dy));
    } else if (widget == vscroll1_) {
      widget->setGeometry(at.translated(dx, 0).adjusted(0, 0, 0, dy));
    } else if (widget == hscroll1_ || widget == rulerH_) {
      widget->setGeometry(at.translated(0, dy).adjusted(0, 0, dx, 0));
    } else if (widget == rulerV_) {
      widget->setGeometry(at.translated(dx, 0).adjusted(0, 0, 0, dy));
    } else if (at.top() > viewAt.bottom() + 17) {
      widget->setGeometry(at.translated(0, dy));  // the mode buttons along the bottom
    } else if (at.left() > viewAt.right()) {
      widget->setGeometry(at.translated(dx, 0));  // palette, status fields, map commands
    }
  }
  if (noteShown_) {
    panelGeometry_ = view_->geometry();
    placeNote();
  }
  syncScrollBars();
}

void MainWindow::placeNote() {
  // One line along the bottom of the view; clicks go through it to the map.
  const QRect view = view_->geometry();
  const int height = panel_->fontMetrics().height() + 16;
  panel_->setGeometry(view.left(), view.bottom() + 1 - height, view.width(), height);
}

bool MainWindow::viewTakesInput() const {
  // As for clicks: the canvas modes when no command runs, and a dialog's on-map pick.
  const bool canvasMode = mode_ == gui::kGroundMode || mode_ == gui::kEventMode || mode_ == gui::kSkyMode;
  return ws_.map && !view_->wholeMap() && (dialogPick_ != 0 || (canvasMode && !busy_));
}

void MainWindow::onViewWheel(QPoint at, QWheelEvent* event) {
  if (!viewTakesInput()) {
    event->ignore();
    return;
  }
  event->accept();
  const Qt::KeyboardModifiers mods = event->modifiers();
  const QPoint delta = event->angleDelta();
  // Shift turns the wheel sideways; some systems already deliver it as horizontal.
  const bool sideways = (mods & Qt::ShiftModifier) || (delta.y() == 0 && delta.x() != 0);
  const int turn = delta.y() != 0 ? delta.y() : delta.x();
  int& rest = (mods & Qt::ControlModifier) ? wheelRest_.rx() : wheelRest_.ry();
  rest += turn;
  const int notches = rest / kWheelNotch;
  rest -= notches * kWheelNotch;
  if (notches == 0) return;
  if (mods & Qt::ControlModifier) {
    double zoom = view_->zoom();
    for (int i = 0; i < std::abs(notches); ++i) {
      auto next = notches > 0 ? map::zoomInStep(zoom) : map::zoomOutStep(zoom);
      if (next) zoom = *next;
    }
    if (zoom != view_->zoom()) zoomAround(zoom, at);
    updateButtons();
    return;
  }
  const int cells = -notches * kCellsPerNotch;  // turning away from the user scrolls up
  if (sideways)
    scrollMap(cells, 0);
  else
    scrollMap(0, cells);
}

void MainWindow::zoomAround(double zoom, QPoint at) {
  // The cell under the pointer stays under it (as far as the scroll range allows).
  const gui::CanvasPoint before = view_->pointAt(at);
  setZoom(zoom);
  view_->setScroll(map::scrollKeepingCell(before.column, at.x(), zoom),
                   map::scrollKeepingCell(before.row, at.y(), zoom));
  mouseAt_ = at;
  syncScrollBars();
}

}  // namespace quillane::app
