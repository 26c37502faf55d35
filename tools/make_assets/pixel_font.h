#pragma once
// A 5 × 7 pixel font for printable ASCII, drawn by this generator for titles, the font
// sheet and the numbers on the tiles.
#include <string_view>

#include "image.h"

namespace make_assets {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// True when pixel (x, y) of the glyph for `c` is set; unknown characters are blank.
bool glyphPixel(char c, int x, int y);

// Draws text with each font pixel as a scale × scale block; letters are one font
// pixel apart. Returns the width drawn.
int drawText(Image& img, int x, int y, std::string_view text, int scale, Rgb colour);
int textWidth(std::string_view text, int scale);

}  // namespace make_assets
