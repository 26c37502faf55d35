#include "gui/map/cell_grid.h"

#include <algorithm>

namespace quillane::gui {

void darkenCellGrid(QImage& image, int cell, int width, int height) {
  if (cell <= 0) return;
  const int w = std::min(width, image.width()), h = std::min(height, image.height());
  auto darken = [](QRgb c) { return ((c >> 1) & 0x7F7F7Fu) | 0xFF000000u; };
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    if ((y + 1) % cell == 0) {
      for (int x = 0; x < w; ++x) line[x] = darken(line[x]);
    } else {
      for (int x = cell - 1; x < w; x += cell) line[x] = darken(line[x]);
    }
  }
}

}  // namespace quillane::gui
