#include "core/map/paint_tools.h"

#include <algorithm>

namespace quillane::map {
namespace {

// The map's extent limited to the grid.
MapExtent clipToGrid(MapExtent e) {
  return {std::clamp(e.width, 0, kGridSize), std::clamp(e.height, 0, kGridSize)};
}

// Writes a block of codes (row by row, `width` wide) at `at`, clipped to the map.
template <typename CodeAt>
ChangedCells writeBlock(TileLayer& layer, MapExtent extent, int width, int height, CellPos at,
                        CodeAt codeAt) {
  ChangedCells changes;
  MapExtent e = clipToGrid(extent);
  int rowFrom = std::max(0, at.row), rowTo = std::min(e.height, at.row + height);
  int colFrom = std::max(0, at.col), colTo = std::min(e.width, at.col + width);
  for (int r = rowFrom; r < rowTo; ++r) {
    TileCode* row = layer.row(r);
    for (int c = colFrom; c < colTo; ++c) {
      TileCode code = codeAt(r - at.row, c - at.col);
      if (row[c] == code) continue;
      row[c] = code;
      changes.add(r, c);
    }
  }
  return changes;
}

}  // namespace

ChangedCells stampBrush(TileLayer& layer, MapExtent extent, const Brush& brush, CellPos at) {
  if (brush.codes.size() != static_cast<std::size_t>(brush.width) * static_cast<std::size_t>(brush.height))
    return {};
  return writeBlock(layer, extent, brush.width, brush.height, at,
                    [&](int r, int c) { return brush.at(r, c); });
}

CopyBuffer copyBlock(const TileLayer& layer, CellPos a, CellPos b) {
  int top = std::clamp(std::min(a.row, b.row), 0, kLastCell);
  int bottom = std::clamp(std::max(a.row, b.row), 0, kLastCell);
  int left = std::clamp(std::min(a.col, b.col), 0, kLastCell);
  int right = std::clamp(std::max(a.col, b.col), 0, kLastCell);
  CopyBuffer block;
  block.width = right - left + 1;
  block.height = bottom - top + 1;
  block.codes.reserve(static_cast<std::size_t>(block.width) * static_cast<std::size_t>(block.height));
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c) block.codes.push_back(layer.at(r, c));
  return block;
}

ChangedCells pasteBlock(TileLayer& layer, MapExtent extent, const CopyBuffer& block, CellPos at) {
  if (block.codes.size() != static_cast<std::size_t>(block.width) * static_cast<std::size_t>(block.height))
    return {};
  return writeBlock(layer, extent, block.width, block.height, at, [&](int r, int c) {
    return block.codes[static_cast<std::size_t>(r) * static_cast<std::size_t>(block.width) +
                       static_cast<std::size_t>(c)];
  });
}

ChangedCells fillRectangle(TileLayer& layer, MapExtent extent, CellPos a, CellPos b, TileCode code) {
  CellPos topLeft{std::min(a.row, b.row), std::min(a.col, b.col)};
  int width = std::max(a.col, b.col) - topLeft.col + 1;
  int height = std::max(a.row, b.row) - topLeft.row + 1;
  return writeBlock(layer, extent, width, height, topLeft, [&](int, int) { return code; });
}

ChangedCells floodFill(TileLayer& layer, MapExtent extent, CellPos start, TileCode code) {
  ChangedCells changes;
  MapExtent e = clipToGrid(extent);
  if (!e.contains(start.row, start.col)) return changes;
  const TileCode old = layer.at(start.row, start.col);
  if (old == code) return changes;

  // Scanline fill over an explicit stack of seed cells: each popped seed is widened to
  // its whole run of `old` cells in that row, the run is painted, and the first cell of
  // every run of `old` directly above and below it becomes a new seed. Painting before
  // pushing means no cell is painted twice and the stack stays small.
  std::vector<CellPos> seeds;
  seeds.push_back(start);
  while (!seeds.empty()) {
    CellPos seed = seeds.back();
    seeds.pop_back();
    TileCode* row = layer.row(seed.row);
    if (!(row[seed.col] == old)) continue;  // painted since it was pushed
    int left = seed.col, right = seed.col;
    while (left > 0 && row[left - 1] == old) --left;
    while (right + 1 < e.width && row[right + 1] == old) ++right;
    std::fill(row + left, row + right + 1, code);
    changes.addSpan(seed.row, left, right);
    for (int next : {seed.row + 1, seed.row - 1}) {
      if (next < 0 || next >= e.height) continue;
      const TileCode* adjacent = layer.row(next);
      int c = left;
      while (c <= right) {
        if (adjacent[c] == old) {
          seeds.push_back({next, c});
          while (c <= right && adjacent[c] == old) ++c;
        } else {
          ++c;
        }
      }
    }
  }
  return changes;
}

}  // namespace quillane::map
