#pragma once
// Layout of the editor's symbol bitmap SYMBOL.BMP (program folder, else the installed
// assets folder): one row of 32 × 32 patterns, 256 × 32 pixels, 24-bit.
//
//   x = 0   kDimMultiply  grey-blue; multiply the cell by it (QPainter
//                         CompositionMode_Multiply) to dim it to about half
//   x = 32  kDimHaze      faint blue lattice on black; add it afterwards
//                         (CompositionMode_Plus). Sky map mode: Multiply, then Haze,
//                         then the sky tile drawn with its mask.
//   x = 64  kBlockedMark  red cross, class "impassable" (rows 0..8 / bank 0)
//   x = 96  kEventBlockedMark  amber bar, class "impassable to events" (rows 9..10 / bank 1)
//   x = 128 kStartMark    start-position marker (white flag in a green ring)
//   x = 160..255          reserved, black
//
// The three marks are drawn over the (dimmed) tile with kTransparentKey as the colour
// that is left out (QImage::createMaskFromColor). The passability display dims with
// kDimMultiply and then draws the mark of the class.
#include <cstdint>

namespace quillane::media::symbol {

inline constexpr const char* kFileName = "SYMBOL.BMP";
inline constexpr int kWidth = 256;
inline constexpr int kHeight = 32;
inline constexpr int kPatternSize = 32;

inline constexpr int kDimMultiplyX = 0;
inline constexpr int kDimHazeX = 32;
inline constexpr int kBlockedMarkX = 64;
inline constexpr int kEventBlockedMarkX = 96;
inline constexpr int kStartMarkX = 128;
inline constexpr int kPatternY = 0;

// 0xRRGGBB of the pixels that marks leave out (magenta).
inline constexpr std::uint32_t kTransparentKey = 0xFF00FF;

}  // namespace quillane::media::symbol
