#include "core/map/tile_lookup.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/text/hex.h"

namespace quillane::map {
namespace {

const char kHex[] = "0123456789ABCDEF";

// Pads on the left with '0' or keeps the last `width` characters.
// (Per cell of a saved map: padded in place, without a string.)
TileCode fixedWidth(std::string_view code, std::size_t width) {
  if (code.size() >= width) return TileCode(code.substr(code.size() - width));
  char padded[TileCode::kMaxLength] = {'0', '0', '0'};
  if (!code.empty()) std::memcpy(padded + (width - code.size()), code.data(), code.size());
  return TileCode(std::string_view(padded, width));
}

}  // namespace

int tileValue(TileCode code) {
  std::string_view v = code.view();
  if (v.size() > 2) v = v.substr(v.size() - 2);
  int value = 0;
  for (char c : v) {
    int d = text::hexDigit(c);
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}

int tileBank(TileCode code, bool split) {
  if (!split || code.size() < 3) return 0;
  char c = code.view()[0];
  return (c >= '0' && c < '0' + kBanks) ? c - '0' : -1;
}

std::optional<TileSource> groundTileSource(TileCode code, bool split) {
  int value = tileValue(code);
  int bank = tileBank(code, split);
  if (value < 0 || bank < 0) return std::nullopt;
  return TileSource{(value % 16) * kTilePixels, (value / 16) * kTilePixels + bank * kBankPixels};
}

std::optional<TileSource> skyTileSource(TileCode code) {
  int value = tileValue(code);
  if (value < 0) return std::nullopt;
  return TileSource{(value % 16) * kTilePixels, (value / 16) * kTilePixels};
}

Passability passability(TileCode code, bool split) {
  if (split) {
    switch (tileBank(code, true)) {
      case 1: return Passability::EventImpassable;
      case 2: return Passability::Passable;
      default: return Passability::Impassable;
    }
  }
  int row = tileValue(code) / 16;  // -1 / 16 == 0 for codes that name no tile
  if (row <= 8) return Passability::Impassable;
  if (row <= 10) return Passability::EventImpassable;
  return Passability::Passable;
}

Passability sheetRowPassability(int workRow, bool split) {
  int bank = std::clamp(workRow / 16, 0, kBanks - 1);
  if (split) return passability(groundCode(0, bank, true), true);
  return passability(groundCode((workRow % 16) * 16, 0, false), false);
}

TileCode groundCode(int value, int bank, bool split) {
  char buf[3];
  std::size_t n = 0;
  if (split) buf[n++] = static_cast<char>('0' + bank);
  buf[n++] = kHex[(value >> 4) & 15];
  buf[n++] = kHex[value & 15];
  return TileCode(std::string_view(buf, n));
}

TileCode skyCode(int value) { return groundCode(value, 0, false); }
TileCode emptyGroundCode(bool split) { return TileCode(split ? "000" : "00"); }
TileCode emptySkyCode() { return TileCode("00"); }

TileCode normalizedGroundCode(TileCode code, bool split) {
  return fixedWidth(code.view(), split ? 3 : 2);
}

TileCode normalizedSkyCode(TileCode code) { return fixedWidth(code.view(), 2); }

}  // namespace quillane::map
