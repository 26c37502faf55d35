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

CharacterLook characterLookOf(const data::InitialValues& initial) {
  return {static_cast<int>(initial.characterWidth), static_cast<int>(initial.characterHeight),
          static_cast<std::uint32_t>(initial.transparentColour)};
}

QImage characterBitmap(const QImage& sheet, const CharacterLook& look) {
  const int w = look.width > 0 ? look.width : 32;
  const int h = look.height > 0 ? look.height : 32;
  const QRgb key = qRgb(look.transparent & 0xFF, (look.transparent >> 8) & 0xFF, (look.transparent >> 16) & 0xFF);
  QImage source = sheet.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < source.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(source.scanLine(y));
    for (int x = 0; x < source.width(); ++x)
      if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = 0;
  }
  QImage out(512, 512, QImage::Format_ARGB32);
  out.fill(Qt::transparent);
  QPainter p(&out);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  for (int r = 0; r < 16; ++r)
    for (int k = 0; k < 16; ++k)
      if (k * w < source.width() && r * h < source.height())
        p.drawImage(QRect(k * 32, r * 32, 32, 32), source, QRect(k * w, r * h, w, h));
  return out;
}

QStringList TileSheets::load(const std::filesystem::path& folder, const map::MapDocument& doc, bool splitChips,
                             const CharacterLook& look) {
  QStringList messages = loadGround(folder, doc, splitChips);
  character = blank(512, 512);
  if (!doc.characterSetName.empty()) {
    if (auto sheet = ui::projectBitmap(folder, "GRP", doc.characterSetName, ".BMP"))
      character = characterBitmap(*sheet, look);
    else
      messages << QStringLiteral("指定のキャラクタデータのファイルがありません");
  }
  sky = blank(512, 512);
  skyMask = QImage();
  if (!doc.skyTileSetName.empty()) {
    if (auto image = ui::projectBitmap(folder, "GRP", doc.skyTileSetName, ".BMP")) {
      QPainter(&sky).drawImage(0, 0, *image);
      if (auto mask = ui::projectBitmap(folder, "GRP", doc.skyTileSetName, "m.BMP")) skyMask = *mask;
    } else {
      messages << QStringLiteral("指定の上空キャラクタデータのファイルがありません");
    }
  }
  return messages;
}

}  // namespace quillane::gui
