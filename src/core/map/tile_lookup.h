#pragma once
// What a tile code means: its bank and value, the square it is drawn from, its
// passability class, and the canonical code written to the files.
#include <optional>

#include "core/map/tile_code.h"

namespace quillane::map {

inline constexpr int kTilePixels = 32;   // a tile square
inline constexpr int kBankPixels = 512;  // a bank bitmap is 512 × 512, 16 × 16 tiles
inline constexpr int kBanks = 3;         // banks 0..2 of the split map-chip form

enum class Passability { Impassable, EventImpassable, Passable };  // "不可", "イベ不", "可"

// Top-left corner of a tile in the tile work bitmap (ground: banks stacked at
// y = 512 × bank) or in the sky bitmap.
struct TileSource {
  int left = 0;
  int top = 0;
  friend bool operator==(const TileSource&, const TileSource&) = default;
};

// The value of the last two characters as hexadecimal, 0..255 (an empty cell reads
// as "00"); -1 when they are no hexadecimal digits.
int tileValue(TileCode code);
// The bank of a ground code: the first of three characters with the split form, else
// 0; -1 when that character is no bank digit "0".."2".
int tileBank(TileCode code, bool split);

// Empty optional for a code that names no tile (then nothing is drawn).
std::optional<TileSource> groundTileSource(TileCode code, bool split);
std::optional<TileSource> skyTileSource(TileCode code);

// Standard form: by tile row (0..8, 9..10, 11..15); split form: by bank. A code that
// names no tile counts as impassable.
Passability passability(TileCode code, bool split);
// The class of a tile row of the tile work bitmap (0..47, banks stacked), for marking
// the bitmap when the passability display is on.
Passability sheetRowPassability(int workRow, bool split);

// Codes made from a value 0..255 (row digit, column digit, upper case) and a bank.
TileCode groundCode(int value, int bank, bool split);
TileCode skyCode(int value);
TileCode emptyGroundCode(bool split);  // "00" / "000"
TileCode emptySkyCode();               // "00"

// The code as the files hold it: exactly two characters, or three with the split
// form (a two-character code gets bank "0", an empty cell reads "00"/"000").
TileCode normalizedGroundCode(TileCode code, bool split);
TileCode normalizedSkyCode(TileCode code);

}  // namespace quillane::map
