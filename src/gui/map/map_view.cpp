#include "gui/map/map_view.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/map/view_geometry.h"
#include "gui/map/cell_grid.h"
#include "gui/map/map_canvas.h"

namespace quillane::gui {

MapView::MapView(const MapCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setObjectName(QStringLiteral("MAPVIEW"));
  resize(kViewSize, kViewSize);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

double MapView::cellSize() const { return map::cellPixels(zoom_); }
int MapView::visibleColumns() const { return map::cellsShown(zoom_, width()); }
int MapView::visibleRows() const { return map::cellsShown(zoom_, height()); }

int MapView::mapColumns() const { return canvas_.columns(); }
int MapView::mapRows() const { return canvas_.rows(); }

int MapView::maxScrollColumn() const { return map::scrollMaximum(canvas_.columns(), visibleColumns()); }
int MapView::maxScrollRow() const { return map::scrollMaximum(canvas_.rows(), visibleRows()); }

void MapView::setZoom(double percent) {
  zoom_ = percent;
  setScroll(scrollColumn_, scrollRow_);
}

void MapView::setScroll(int column, int row) {
  scrollColumn_ = std::clamp(column, 0, maxScrollColumn());
  scrollRow_ = std::clamp(row, 0, maxScrollRow());
  update();
  emit changed();
}

void MapView::setGrid(bool on) {
  grid_ = on;
  update();
}
void MapView::setRuler(bool on) {
  ruler_ = on;
  emit changed();
}
void MapView::setWholeMap(bool on) {
  whole_ = on;
  update();
  emit changed();
}

void MapView::composeFrame(QImage& frame) const {
  if (frame.size() != size() || frame.format() != QImage::Format_RGB32)
    frame = QImage(size(), QImage::Format_RGB32);
  frame.fill(QColor(96, 96, 96));
  const QImage& image = canvas_.image();
  if (canvas_.columns() == 0 || canvas_.rows() == 0 || image.format() != QImage::Format_RGB32) return;
  if (whole_) {
    QPainter p(&frame);
    renderWhole(p);
    return;
  }
  const int s = static_cast<int>(cellSize());
  const int cols = std::min(visibleColumns(), canvas_.columns() - scrollColumn_);
  const int rows = std::min(visibleRows(), canvas_.rows() - scrollRow_);
  const int w = cols * s, h = rows * s;
  // Nearest neighbour: target pixel x takes source pixel x * 32 / s of the visible cells.
  const int left = scrollColumn_ * kTile, top = scrollRow_ * kTile;
  sourceX_.resize(static_cast<std::size_t>(w));
  for (int x = 0; x < w; ++x) sourceX_[static_cast<std::size_t>(x)] = left + x * kTile / s;
  int previousY = -1;
  for (int y = 0; y < h; ++y) {
    const int sy = top + y * kTile / s;
    auto* out = reinterpret_cast<QRgb*>(frame.scanLine(y));
    if (sy == previousY) {
      std::memcpy(out, frame.constScanLine(y - 1), static_cast<std::size_t>(w) * sizeof(QRgb));
      continue;
    }
    previousY = sy;
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(sy));
    if (s == kTile) {
      std::memcpy(out, in + left, static_cast<std::size_t>(w) * sizeof(QRgb));
    } else {
      const int* xs = sourceX_.data();
      for (int x = 0; x < w; ++x) out[x] = in[xs[x]];
    }
  }
  if (grid_) darkenCellGrid(frame, s, w, h);
}

void MapView::render(QPainter& p) const {
  composeFrame(frame_);
  // Cells stay sharp at any screen scale: nearest neighbour up to device pixels.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(QPoint(0, 0), frame_);
}

void MapView::renderWhole(QPainter& p) const {
  // The longer side fills the view, the other is centred.
  map::WholeMapRect r = map::wholeMapRect(canvas_.columns(), canvas_.rows(), {width(), height()});
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.drawImage(QRectF(r.x, r.y, r.width, r.height), canvas_.image(),
              QRect(0, 0, canvas_.columns() * kTile, canvas_.rows() * kTile));
}

void MapView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  render(p);
  if (!whole_ && onOverlay) onOverlay(p, cellSize());
}

CanvasPoint MapView::pointAt(QPoint pos) const {
  CanvasPoint at;
  at.view = pos;
  const double s = cellSize();
  at.column = scrollColumn_ + static_cast<int>(std::floor(pos.x() / s));
  at.row = scrollRow_ + static_cast<int>(std::floor(pos.y() / s));
  map::MapViewHit hit = map::mapCellAt(pos.x(), pos.y(), zoom_, scrollColumn_, scrollRow_, canvas_.columns(),
                                       canvas_.rows(), area());
  at.clampedColumn = hit.clamped.col;
  at.clampedRow = hit.clamped.row;
  at.insideView = pos.x() >= 0 && pos.y() >= 0 && pos.x() < visibleColumns() * s && pos.y() < visibleRows() * s;
  at.insideMap = hit.onMap;
  return at;
}

bool MapView::pan(int kind, QMouseEvent* event) {
  if (kind == 0 && event->button() == Qt::MiddleButton && !whole_) {
    panning_ = true;
    panFrom_ = event->position().toPoint();
    panScroll_ = QPoint(scrollColumn_, scrollRow_);
    setCursor(Qt::ClosedHandCursor);
    return true;
  }
  if (!panning_) return false;
  if (kind == 1) {
    // The map follows the pointer by whole cells.
    const QPoint moved = event->position().toPoint() - panFrom_;
    const double s = cellSize();
    setScroll(panScroll_.x() - static_cast<int>(std::lround(moved.x() / s)),
              panScroll_.y() - static_cast<int>(std::lround(moved.y() / s)));
    if (onScrolled) onScrolled();
  } else if (kind == 2 && event->button() == Qt::MiddleButton) {
    panning_ = false;
    unsetCursor();
  }
  return true;
}

void MapView::mouse(int kind, QMouseEvent* event) {
  if (pan(kind, event)) return;
  CanvasPoint at = pointAt(event->position().toPoint());
  at.button = event->button();
  at.buttons = event->buttons();
  if (onMouse) onMouse(kind, at);
}

void MapView::mousePressEvent(QMouseEvent* event) { mouse(0, event); }
void MapView::mouseMoveEvent(QMouseEvent* event) { mouse(1, event); }
void MapView::mouseReleaseEvent(QMouseEvent* event) { mouse(2, event); }

void MapView::wheelEvent(QWheelEvent* event) {
  if (onWheel)
    onWheel(event->position().toPoint(), event);
  else
    event->ignore();
}

void MapView::resizeEvent(QResizeEvent*) { setScroll(scrollColumn_, scrollRow_); }

}  // namespace quillane::gui
