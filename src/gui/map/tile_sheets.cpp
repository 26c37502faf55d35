#include "gui/map/tile_sheets.h"

#include <QPainter>

#include "core/map/map_document.h"
#include "gui/ui/bitmaps.h"

namespace quillane::gui {

QImage TileSheets::blank(int w, int h) { return ui::blankBitmap(w, h, Qt::white); }

QString bitmapErrorTitle() { return QStringLiteral("ファイルオープンエラー"); }

namespace {
// Copies a 512 × 512 bank into the work bitmap at `top`.
void placeBank(QImage& work, const QImage& bank, int top) {
  QPainter p(&work);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.fillRect(0, top, 512, 512, Qt::white);
  p.drawImage(QPoint(0, top), bank, QRect(0, 0, 512, 512));
}
}  // namespace

QStringList TileSheets::loadGround(const std::filesystem::path& folder, const map::MapDocument& doc,
                                   bool splitChips) {
  QStringList messages;
  const QString missing = QStringLiteral("指定の地形キャラクタデータのファイルがありません");
  work = blank(512, 1536);
  if (doc.tileSetName.empty()) return messages;
  if (auto bank = ui::projectBitmap(folder, "GRP", doc.tileSetName, ".BMP"))
    placeBank(work, *bank, 0);
  else
    messages << missing;
  if (splitChips) {
    for (int b = 1; b <= 2; ++b) {
      std::string suffix = "_" + std::to_string(b) + ".BMP";
      if (auto bank = ui::projectBitmap(folder, "GRP", doc.tileSetName, suffix.c_str()))
        placeBank(work, *bank, 512 * b);
      else
        messages << missing;
    }
  }
  return messages;
}

QStringList TileSheets::load(const std::filesystem::path& folder, const map::MapDocument& doc, bool splitChips) {
  QStringList messages = loadGround(folder, doc, splitChips);
  character = blank(512, 512);
  if (!doc.characterSetName.empty()) {
    if (auto sheet = ui::projectBitmap(folder, "GRP", doc.characterSetName, ".BMP"))
      character = *sheet;
    else
      messages << QStringLiteral("指定のキャラクタデータのファイルがありません");
  }
  sky = blank(512, 512);
  skyMask = QImage();
  if (!doc.skyTileSetName.empty()) {
    if (auto image = ui::projectBitmap(folder, "GRP", doc.skyTileSetName, ".BMP")) {
      sky = blank(512, 512);
      QPainter(&sky).drawImage(0, 0, *image);
      if (auto mask = ui::projectBitmap(folder, "GRP", doc.skyTileSetName, "m.BMP")) skyMask = *mask;
    } else {
      messages << QStringLiteral("指定の上空キャラクタデータのファイルがありません");
    }
  }
  return messages;
}

}  // namespace quillane::gui
