#include "gui/map/palette_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace quillane::gui {

namespace {
constexpr int kCell = 32;
}

PaletteView::PaletteView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PALETTE"));
  setFixedSize(kPaletteColumns * kCell, kPaletteRows * kCell);
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
  scrollColumn_ = std::clamp(column, 0, kPaletteMaxScrollColumn);
  scrollRow_ = std::clamp(row, 0, kPaletteMaxScrollRow);
  update();
}

void PaletteView::setSelection(QPoint anchor, QPoint corner) {
  auto clampCell = [](QPoint p) {
    return QPoint(std::clamp(p.x(), 0, kPaletteColumns - 1), std::clamp(p.y(), 0, kPaletteRows - 1));
  };
  anchor_ = clampCell(anchor);
  corner_ = single_ ? anchor_ : clampCell(corner);
  update();
  if (onSelectionChanged) onSelectionChanged();
}

QRect PaletteView::brush() const {
  QRect r = QRect(anchor_, corner_).normalized();
  return r.translated(scrollColumn_, scrollRow_);
}

QString PaletteView::tileDigits(int sheetRow, int sheetColumn) {
  return QString::number(std::clamp(sheetRow, 0, 15), 16).toUpper() +
         QString::number(std::clamp(sheetColumn, 0, 15), 16).toUpper();
}

void PaletteView::pick(int sheetRow, int sheetColumn) {
  int c = scrollColumn_, r = scrollRow_;
  if (sheetColumn < c) c = sheetColumn;
  if (sheetColumn > c + kPaletteColumns - 1) c = sheetColumn - (kPaletteColumns - 1);
  if (sheetRow < r) r = sheetRow;
  if (sheetRow > r + kPaletteRows - 1) r = sheetRow - (kPaletteRows - 1);
  setScroll(c, r);
  QPoint cell(sheetColumn - scrollColumn_, sheetRow - scrollRow_);
  setSelection(cell, cell);
}

bool PaletteView::cellAt(QPoint pos, int& column, int& row) {
  if (pos.x() < 0 || pos.y() < 0 || pos.x() >= kPaletteColumns * kCell || pos.y() >= kPaletteRows * kCell)
    return false;
  column = pos.x() / kCell;
  row = pos.y() / kCell;
  return true;
}

void PaletteView::render(QPainter& p) const {
  p.fillRect(rect(), Qt::white);
  if (source_) {
    QRect src(scrollColumn_ * kCell, yOffset_ + scrollRow_ * kCell, kPaletteColumns * kCell, kPaletteRows * kCell);
    p.drawImage(QPoint(0, 0), *source_, src);
  }
  if (grid_) {
    p.setPen(QPen(QColor(0, 0, 0, 110), 1));
    for (int i = 1; i <= kPaletteColumns; ++i) p.drawLine(i * kCell - 1, 0, i * kCell - 1, height());
    for (int j = 1; j <= kPaletteRows; ++j) p.drawLine(0, j * kCell - 1, width(), j * kCell - 1);
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
  int c = 0, r = 0;
  if (event->button() != Qt::LeftButton || !cellAt(event->position().toPoint(), c, r)) return;
  dragging_ = true;
  setSelection(QPoint(c, r), QPoint(c, r));
}

void PaletteView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || single_) return;
  QPoint pos = event->position().toPoint();
  int c = std::clamp(pos.x() / kCell, 0, kPaletteColumns - 1);
  int r = std::clamp(pos.y() / kCell, 0, kPaletteRows - 1);
  if (QPoint(c, r) != corner_) setSelection(anchor_, QPoint(c, r));
}

void PaletteView::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

}  // namespace quillane::gui
