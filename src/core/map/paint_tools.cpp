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

}  // namespace quillane::map
