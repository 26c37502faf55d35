#include "gui/map/symbol_sheet.h"

#include <QPainter>

#include "gui/ui/bitmaps.h"

namespace quillane::gui {

namespace {
constexpr int kSheetWidth = 256;
constexpr int kCell = 32;
}  // namespace

SymbolSheet::SymbolSheet() : sheet_(kSheetWidth, kCell, QImage::Format_RGB32) {
  sheet_.fill(Qt::black);
  QPainter p(&sheet_);
  // Dim: every other pixel halved (AND with grey on a checkerboard), nothing added.
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) sheet_.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF7F7F7F);
  // Start marker: a red ring; the AND part clears the ring's pixels, the OR part paints it.
  p.fillRect(64, 0, kCell, kCell, Qt::white);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::black, 4));
  p.drawEllipse(64 + 6, 6, 20, 20);
  p.setPen(QPen(QColor(255, 0, 0), 4));
  p.drawEllipse(96 + 6, 6, 20, 20);
  // Impassable: a dimmed square with a red cross; event-impassable: a yellow bar.
  for (int i : {2, 3}) {
    int ax = 64 * i;
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x) sheet_.setPixel(ax + x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF9F9F9F);
  }
  p.setPen(QPen(QColor(255, 0, 0), 3));
  p.drawLine(128 + 32 + 8, 8, 128 + 32 + 23, 23);
  p.drawLine(128 + 32 + 23, 8, 128 + 32 + 8, 23);
  p.fillRect(192 + 32 + 6, 13, 20, 6, QColor(255, 220, 0));
}

void SymbolSheet::load(const std::filesystem::path& programDir) {
  if (auto image = ui::programBitmap(programDir, QStringLiteral("SYMBOL.BMP"))) {
    if (image->width() >= kSheetWidth && image->height() >= kCell) sheet_ = *image;
  }
}

void SymbolSheet::apply(QImage& target, int x, int y, Symbol symbol) const {
  int sx = 64 * static_cast<int>(symbol);
  QPainter p(&target);
  p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  p.drawImage(QPoint(x, y), sheet_, QRect(sx, 0, kCell, kCell));
  p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
  p.drawImage(QPoint(x, y), sheet_, QRect(sx + kCell, 0, kCell, kCell));
}

}  // namespace quillane::gui
