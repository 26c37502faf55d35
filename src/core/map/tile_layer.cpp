#include "core/map/tile_layer.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillane::map {

void fillCells(TileCode* first, int count, TileCode code) {
#if defined(__SSE2__)
  const __m128i v = _mm_set1_epi32(static_cast<int>(std::bit_cast<std::uint32_t>(code)));
  for (; count >= 4; count -= 4, first += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(first), v);
#endif
  for (; count > 0; --count) *first++ = code;
}

void TileLayer::fillArea(int rows, int cols, TileCode code) {
  rows = std::clamp(rows, 0, kGridSize);
  cols = std::clamp(cols, 0, kGridSize);
  for (int r = 0; r < rows; ++r) std::fill(row(r), row(r) + cols, code);
}

}  // namespace quillane::map
