#include "gui/map/palette_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "core/map/palette.h"
#include "core/map/tile_lookup.h"

namespace quillane::gui {

namespace {
constexpr int kCell = map::kTilePixels;
constexpr int kColumns = map::kPaletteColumns;
constexpr int kRows = map::kPaletteRows;

QPoint toPoint(map::CellPos c) { return QPoint(c.col, c.row); }
map::CellPos toCell(QPoint p) { return {p.y(), p.x()}; }
}  // namespace

PaletteView::PaletteView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PALETTE"));
  setFixedSize(kColumns * kCell, kRows * kCell);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaletteView::setSource(const QImage* source, int yOffset) {
  source_ = source;
  yOffset_ = yOffset;
  update();
}

void PaletteView::setSingleCell(bool single) {
  single_ = single;
  if (single) corner_ = anchor_;
  update();
}

void PaletteView::setScroll(int column, int row) {
  const map::PaletteView view = map::scrollPalette({}, column, row);
  scrollColumn_ = view.scrollCol;
  scrollRow_ = view.scrollRow;
  update();
}

void PaletteView::setSelection(QPoint anchor, QPoint corner) {
  anchor_ = toPoint(map::clampPaletteCell(toCell(anchor)));
  corner_ = single_ ? anchor_ : toPoint(map::clampPaletteCell(toCell(corner)));
  update();
  if (onSelectionChanged) onSelectionChanged();
}

QRect PaletteView::brush() const {
  QRect r = QRect(anchor_, corner_).normalized();
  return r.translated(scrollColumn_, scrollRow_);
}

void PaletteView::pick(int sheetRow, int sheetColumn) {
  int c = scrollColumn_, r = scrollRow_;
  if (sheetColumn < c) c = sheetColumn;
  if (sheetColumn > c + kColumns - 1) c = sheetColumn - (kColumns - 1);
  if (sheetRow < r) r = sheetRow;
  if (sheetRow > r + kRows - 1) r = sheetRow - (kRows - 1);
  setScroll(c, r);
  QPoint cell(sheetColumn - scrollColumn_, sheetRow - scrollRow_);
  setSelection(cell, cell);
}

void PaletteView::render(QPainter& p) const {
  p.fillRect(rect(), Qt::white);
  if (source_) {
    QRect src(scrollColumn_ * kCell, yOffset_ + scrollRow_ * kCell, kColumns * kCell, kRows * kCell);
    p.drawImage(QPoint(0, 0), *source_, src);
  }
  if (grid_) {
    p.setPen(QPen(QColor(0, 0, 0, 110), 1));
    for (int i = 1; i <= kColumns; ++i) p.drawLine(i * kCell - 1, 0, i * kCell - 1, height());
    for (int j = 1; j <= kRows; ++j) p.drawLine(0, j * kCell - 1, width(), j * kCell - 1);
  }
  QRect sel = QRect(anchor_, corner_).normalized();
  QRect frame(sel.left() * kCell, sel.top() * kCell, sel.width() * kCell, sel.height() * kCell);
  p.setPen(QPen(QColor(255, 0, 0), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(frame.adjusted(1, 1, -1, -1));
}

void PaletteView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  render(p);
}

void PaletteView::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const auto cell = map::paletteCellAt(pos.x(), pos.y());
  if (event->button() != Qt::LeftButton || !cell) return;
  dragging_ = true;
  setSelection(toPoint(*cell), toPoint(*cell));
}

void PaletteView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || single_) return;
  const QPoint pos = event->position().toPoint();
  const QPoint cell = toPoint(map::paletteCellNearest(pos.x(), pos.y()));
  if (cell != corner_) setSelection(anchor_, cell);
}

void PaletteView::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

}  // namespace quillane::gui
