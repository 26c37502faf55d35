#pragma once
// The bitmaps an open map is drawn from: the ground tile work bitmap (512 × 1536, bank b
// at y = 512 b), the sky bitmap and its mask, and the character sheet. Missing files
// leave blank bitmaps; the map keeps the names it stores.
#include <QImage>
#include <QStringList>
#include <cstdint>
#include <filesystem>

#include "core/data/project_database.h"

namespace quillane::map {
struct MapDocument;
}

namespace quillane::gui {

// How the project draws characters: the size of one picture on a character sheet and
// the sheet's transparent colour (a Windows colour, 0x00BBGGRR).
struct CharacterLook {
  int width = 32;
  int height = 32;
  std::uint32_t transparent = 0xFF00FF;
};

// The project's character size and transparent colour.
CharacterLook characterLookOf(const data::InitialValues& initial);

// The character bitmap events are drawn from: every picture of the sheet (pictures of
// look.width × look.height, 16 to a row) scaled into a 32 × 32 cell of a 512 × 512
// image, with the transparent colour keyed out.
QImage characterBitmap(const QImage& sheet, const CharacterLook& look);

struct TileSheets {
  QImage work = blank(512, 1536);
  QImage sky = blank(512, 512);
  QImage skyMask;           // null when missing: the sky tile is drawn opaque
  QImage character = blank(512, 512);

  static QImage blank(int w, int h);

  // Loads every bitmap of `doc` from `folder`/GRP and returns the messages to show (one
  // per missing file, as the map opens).
  QStringList load(const std::filesystem::path& folder, const map::MapDocument& doc, bool splitChips,
                   const CharacterLook& look = {});
  // Reloads only the ground banks (after the passability display is turned off).
  QStringList loadGround(const std::filesystem::path& folder, const map::MapDocument& doc, bool splitChips);
};

// The title of those messages ("ファイルオープンエラー").
QString bitmapErrorTitle();

}  // namespace quillane::gui
