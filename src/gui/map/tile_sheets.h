#pragma once
// The bitmaps an open map is drawn from: the ground tile work bitmap (512 × 1536, bank b
// at y = 512 b), the sky bitmap and its mask, and the character sheet. Missing files
// leave blank bitmaps; the map keeps the names it stores.
#include <QImage>
#include <QStringList>
#include <filesystem>

namespace quillane::map {
struct MapDocument;
}

namespace quillane::gui {

struct TileSheets {
  QImage work = blank(512, 1536);
  QImage sky = blank(512, 512);
  QImage skyMask;           // null when missing: the sky tile is drawn opaque
  QImage character = blank(512, 512);

  static QImage blank(int w, int h);

  // Loads every bitmap of `doc` from `folder`/GRP and returns the messages to show (one
  // per missing file, as the map opens).
  QStringList load(const std::filesystem::path& folder, const map::MapDocument& doc, bool splitChips);
  // Reloads only the ground banks (after the passability display is turned off).
  QStringList loadGround(const std::filesystem::path& folder, const map::MapDocument& doc, bool splitChips);
};

// The title of those messages ("ファイルオープンエラー").
QString bitmapErrorTitle();

}  // namespace quillane::gui
