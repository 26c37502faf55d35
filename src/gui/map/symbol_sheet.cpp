#include "gui/map/symbol_sheet.h"

#include <QPainter>

#include "core/media/symbol_layout.h"
#include "gui/ui/bitmaps.h"

namespace quillane::gui {

namespace sym = media::symbol;

namespace {
constexpr int kCell = sym::kPatternSize;
const QColor kKey = QColor::fromRgb(sym::kTransparentKey);
}  // namespace

SymbolSheet::SymbolSheet() : sheet_(sym::kWidth, sym::kHeight, QImage::Format_RGB32) {
  sheet_.fill(Qt::black);
  QPainter p(&sheet_);
  p.fillRect(sym::kDimMultiplyX, 0, kCell, kCell, QColor(120, 124, 140));
  for (int i = 0; i < kCell; i += 4) {
    p.fillRect(sym::kDimHazeX + i, 0, 1, kCell, QColor(0, 0, 40));
    p.fillRect(sym::kDimHazeX, i, kCell, 1, QColor(0, 0, 40));
  }
  for (int x : {sym::kBlockedMarkX, sym::kEventBlockedMarkX, sym::kStartMarkX}) p.fillRect(x, 0, kCell, kCell, kKey);
  p.setPen(QPen(QColor(230, 0, 0), 4));
  p.drawLine(sym::kBlockedMarkX + 7, 7, sym::kBlockedMarkX + 24, 24);
  p.drawLine(sym::kBlockedMarkX + 24, 7, sym::kBlockedMarkX + 7, 24);
  p.fillRect(sym::kEventBlockedMarkX + 6, 13, 20, 6, QColor(240, 170, 0));
  p.setPen(QPen(QColor(0, 170, 60), 3));
  p.drawEllipse(sym::kStartMarkX + 5, 5, 21, 21);
  p.fillRect(sym::kStartMarkX + 13, 9, 2, 14, Qt::white);
  p.fillRect(sym::kStartMarkX + 15, 9, 7, 5, Qt::white);
  p.end();
  makeMarks();
}

void SymbolSheet::load(const std::filesystem::path& programDir) {
  if (auto image = ui::programBitmap(programDir, QString::fromLatin1(sym::kFileName))) {
    if (image->width() >= sym::kWidth && image->height() >= sym::kHeight) {
      sheet_ = *image;
      makeMarks();
    }
  }
}

void SymbolSheet::makeMarks() {
  const int xs[3] = {sym::kBlockedMarkX, sym::kEventBlockedMarkX, sym::kStartMarkX};
  for (int i = 0; i < 3; ++i) {
    QImage mark = sheet_.copy(xs[i], sym::kPatternY, kCell, kCell).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < kCell; ++y) {
      auto* line = reinterpret_cast<QRgb*>(mark.scanLine(y));
      for (int x = 0; x < kCell; ++x)
        if ((line[x] & 0xFFFFFF) == sym::kTransparentKey) line[x] = 0;
    }
    marks_[i] = mark;
  }
}

void SymbolSheet::apply(QImage& target, int x, int y, Symbol symbol) const {
  QPainter p(&target);
  switch (symbol) {
    case Symbol::Dim:
      p.setCompositionMode(QPainter::CompositionMode_Multiply);
      p.drawImage(QPoint(x, y), sheet_, QRect(sym::kDimMultiplyX, sym::kPatternY, kCell, kCell));
      p.setCompositionMode(QPainter::CompositionMode_Plus);
      p.drawImage(QPoint(x, y), sheet_, QRect(sym::kDimHazeX, sym::kPatternY, kCell, kCell));
      return;
    case Symbol::Impassable: p.drawImage(QPoint(x, y), marks_[0]); return;
    case Symbol::EventImpassable: p.drawImage(QPoint(x, y), marks_[1]); return;
    case Symbol::StartMarker: p.drawImage(QPoint(x, y), marks_[2]); return;
  }
}

}  // namespace quillane::gui
