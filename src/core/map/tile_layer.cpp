#include "core/map/tile_layer.h"

#include <algorithm>

namespace quillane::map {

void TileLayer::fillArea(int rows, int cols, TileCode code) {
  rows = std::clamp(rows, 0, kGridSize);
  cols = std::clamp(cols, 0, kGridSize);
  for (int r = 0; r < rows; ++r) std::fill(row(r), row(r) + cols, code);
}

}  // namespace quillane::map
