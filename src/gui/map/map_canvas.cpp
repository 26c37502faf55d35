#include "gui/map/map_canvas.h"

#include <QPainter>
#include <algorithm>

#include "core/map/map_document.h"
#include "core/map/start_marker.h"
#include "core/map/tile_lookup.h"

namespace quillane::gui {

MapCanvas::MapCanvas() : scratch_(kTile, kTile, QImage::Format_RGB32) {}

void MapCanvas::setDocument(map::MapDocument* doc, bool splitChips) {
  doc_ = doc;
  split_ = splitChips;
  markerColumn_ = markerRow_ = -1;
}

QRect MapCanvas::groundSource(const map::TileCode& code, bool splitChips) {
  auto src = map::groundTileSource(code, splitChips);
  return src ? QRect(src->left, src->top, kTile, kTile) : QRect();
}

QRect MapCanvas::skySource(const map::TileCode& code) {
  auto src = map::skyTileSource(code);
  return src ? QRect(src->left, src->top, kTile, kTile) : QRect();
}

void MapCanvas::build() {
  columns_ = doc_ ? std::clamp(doc_->width, 0, map::kGridSize) : 0;
  rows_ = doc_ ? std::clamp(doc_->height, 0, map::kGridSize) : 0;
  if (image_.width() != columns_ * kTile || image_.height() != rows_ * kTile)
    image_ = QImage(std::max(1, columns_ * kTile), std::max(1, rows_ * kTile), QImage::Format_RGB32);
  image_.fill(Qt::white);
  markerColumn_ = markerRow_ = -1;
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c) paintCell(r, c);
  updateStartMarker();
}

void MapCanvas::paintCell(int row, int column) {
  const QRect target(column * kTile, row * kTile, kTile, kTile);
  QRect src = groundSource(doc_->ground.at(row, column), split_);
  if (!sky_) {
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (src.isNull())
      p.fillRect(target, Qt::white);
    else
      p.drawImage(target.topLeft(), sheets_.work, src);
  } else {
    // Sky mode: the ground (dimmed), the sky tile (if any) over it.
    {
      QPainter p(&scratch_);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      if (src.isNull())
        p.fillRect(scratch_.rect(), Qt::white);
      else
        p.drawImage(QPoint(0, 0), sheets_.work, src);
    }
    if (skyDimmed_) symbols_.apply(scratch_, 0, 0, Symbol::Dim);
    const map::TileCode& skyCode = doc_->sky.at(row, column);
    if (!skyCode.empty() && skyCode.view() != "00") {
      QRect s = skySource(skyCode);
      if (!s.isNull()) {
        QPainter p(&scratch_);
        if (!sheets_.skyMask.isNull()) {
          p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
          p.drawImage(QPoint(0, 0), sheets_.skyMask, s);
          p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        } else {
          p.setCompositionMode(QPainter::CompositionMode_Source);
        }
        p.drawImage(QPoint(0, 0), sheets_.sky, s);
      }
    }
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(target.topLeft(), scratch_);
  }
  for (CellDecorator* d : decorators_) d->decorate(image_, row, column);
}

void MapCanvas::drawCell(int row, int column) {
  if (!doc_ || row < 0 || column < 0 || row >= rows_ || column >= columns_) return;
  paintCell(row, column);
  if (markerShown_ && row == markerRow_ && column == markerColumn_)
    symbols_.apply(image_, column * kTile, row * kTile, Symbol::StartMarker);
}

void MapCanvas::updateStartMarker() {
  if (!doc_) return;
  int oldColumn = markerColumn_, oldRow = markerRow_;
  markerColumn_ = markerRow_ = -1;
  if (oldColumn >= 0 && oldRow < rows_ && oldColumn < columns_) paintCell(oldRow, oldColumn);
  if (!markerShown_) return;
  auto marker = map::placeStartMarker(*doc_);
  if (!marker) return;  // no start event: no marker, adds left as they are
  if (marker->addsChanged) doc_->modified = true;
  int column = marker->cell.col, row = marker->cell.row;
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return;
  markerColumn_ = column;
  markerRow_ = row;
  symbols_.apply(image_, column * kTile, row * kTile, Symbol::StartMarker);
}

void MapCanvas::drawCells(const map::ChangedCells& cells) {
  for (const map::RowSpan& span : cells.spans)
    for (int c = span.first; c <= span.last; ++c) drawCell(span.row, c);
  updateStartMarker();
}

void MapCanvas::removeDecorator(CellDecorator* decorator) {
  decorators_.erase(std::remove(decorators_.begin(), decorators_.end(), decorator), decorators_.end());
}

}  // namespace quillane::gui
