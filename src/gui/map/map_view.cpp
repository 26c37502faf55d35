#include "gui/map/map_view.h"

#include <QMouseEvent>
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
  setFixedSize(kViewSize, kViewSize);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

double MapView::cellSize() const { return map::cellPixels(zoom_); }
int MapView::visibleCells() const { return map::cellsShown(zoom_); }

int MapView::maxScrollColumn() const { return map::scrollMaximum(canvas_.columns(), visibleCells()); }
int MapView::maxScrollRow() const { return map::scrollMaximum(canvas_.rows(), visibleCells()); }

void MapView::setZoom(double percent) {
  zoom_ = percent;
  setScroll(scrollColumn_, scrollRow_);
  update();
}

void MapView::setScroll(int column, int row) {
  scrollColumn_ = std::clamp(column, 0, maxScrollColumn());
  scrollRow_ = std::clamp(row, 0, maxScrollRow());
  update();
}

void MapView::setGrid(bool on) {
  grid_ = on;
  update();
}
void MapView::setRuler(bool on) {
  ruler_ = on;
  update();
}
void MapView::setWholeMap(bool on) {
  whole_ = on;
  update();
}

void MapView::composeFrame(QImage& frame) const {
  if (frame.size() != QSize(kViewSize, kViewSize) || frame.format() != QImage::Format_RGB32)
    frame = QImage(kViewSize, kViewSize, QImage::Format_RGB32);
  frame.fill(QColor(96, 96, 96));
  const QImage& image = canvas_.image();
  if (canvas_.columns() == 0 || canvas_.rows() == 0 || image.format() != QImage::Format_RGB32) return;
  if (whole_) {
    QPainter p(&frame);
    renderWhole(p);
    return;
  }
  const int n = visibleCells();
  const int s = static_cast<int>(cellSize());
  const int cols = std::min(n, canvas_.columns() - scrollColumn_);
  const int rows = std::min(n, canvas_.rows() - scrollRow_);
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
  if (ruler_) {
    QPainter p(&frame);
    renderRuler(p);
  }
}

void MapView::render(QPainter& p) const {
  composeFrame(frame_);
  // Cells stay sharp at any screen scale: nearest neighbour up to device pixels.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(QPoint(0, 0), frame_);
}

void MapView::renderWhole(QPainter& p) const {
  // The longer side fills the view, the other is centred.
  map::WholeMapRect r = map::wholeMapRect(canvas_.columns(), canvas_.rows());
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.drawImage(QRectF(r.x, r.y, r.width, r.height), canvas_.image(),
              QRect(0, 0, canvas_.columns() * kTile, canvas_.rows() * kTile));
}

void MapView::renderRuler(QPainter& p) const {
  const int n = visibleCells();
  const double s = cellSize();
  const int cols = std::min(n, canvas_.columns() - scrollColumn_);
  const int rows = std::min(n, canvas_.rows() - scrollRow_);
  QFont f = font();
  f.setPixelSize(9);
  p.setFont(f);
  const int band = 12;
  p.fillRect(QRectF(0, kViewSize - band, kViewSize, band), QColor(255, 255, 255, 200));
  p.fillRect(QRectF(kViewSize - 2 * band, 0, 2 * band, kViewSize - band), QColor(255, 255, 255, 200));
  p.setPen(Qt::black);
  // Numbers only where they fit: every k-th cell.
  int every = std::max(1, static_cast<int>(std::ceil(18.0 / s)));
  for (int i = 0; i <= cols; ++i) {
    double x = i * s;
    p.drawLine(QPointF(x, kViewSize - band), QPointF(x, kViewSize - band + 3));
    if (i < cols && (scrollColumn_ + i) % every == 0)
      p.drawText(QRectF(x, kViewSize - band, std::max(s, 18.0), band), Qt::AlignLeft | Qt::AlignVCenter,
                 QString::number(scrollColumn_ + i));
  }
  for (int j = 0; j <= rows; ++j) {
    double y = j * s;
    p.drawLine(QPointF(kViewSize - 2 * band, y), QPointF(kViewSize - 2 * band + 3, y));
    if (j < rows && (scrollRow_ + j) % every == 0)
      p.drawText(QRectF(kViewSize - 2 * band + 3, y, 2 * band - 3, std::max(s, 10.0)), Qt::AlignLeft | Qt::AlignTop,
                 QString::number(scrollRow_ + j));
  }
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
  map::MapViewHit hit =
      map::mapCellAt(pos.x(), pos.y(), zoom_, scrollColumn_, scrollRow_, canvas_.columns(), canvas_.rows());
  at.clampedColumn = hit.clamped.col;
  at.clampedRow = hit.clamped.row;
  at.insideView = pos.x() >= 0 && pos.y() >= 0 && pos.x() < kViewSize && pos.y() < kViewSize;
  at.insideMap = hit.onMap;
  return at;
}

void MapView::mouse(int kind, QMouseEvent* event) {
  CanvasPoint at = pointAt(event->position().toPoint());
  at.button = event->button();
  at.buttons = event->buttons();
  if (onMouse) onMouse(kind, at);
}

void MapView::mousePressEvent(QMouseEvent* event) { mouse(0, event); }
void MapView::mouseMoveEvent(QMouseEvent* event) { mouse(1, event); }
void MapView::mouseReleaseEvent(QMouseEvent* event) { mouse(2, event); }

}  // namespace quillane::gui
