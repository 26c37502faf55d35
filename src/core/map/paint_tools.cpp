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

  // Scanline fill over an explicit stack of segments (Heckbert's seed fill). A segment
  // says: cells left..right of row − dir were painted, explore row `row` beside them.
  // Each run of `old` found there is painted in one pass, its far side is pushed in the
  // same direction, and only the parts that stick out past the parent segment are
  // pushed back towards the parent row. Every cell is painted once and read about
  // twice, and the stack holds segments, not cells.
  struct Segment {
    int row, left, right, dir;
  };
  std::vector<Segment> stack;
  auto push = [&](int row, int left, int right, int dir) {
    int next = row + dir;
    if (next >= 0 && next < e.height) stack.push_back({row, left, right, dir});
  };
  push(start.row, start.col, start.col, 1);
  push(start.row + 1, start.col, start.col, -1);  // popped first: the start row itself

  while (!stack.empty()) {
    const Segment s = stack.back();
    stack.pop_back();
    const int row = s.row + s.dir, dir = s.dir, x1 = s.left, x2 = s.right;
    TileCode* cells = layer.row(row);
    int x = x1;
    while (x >= 0 && cells[x] == old) cells[x--] = code;
    bool inRun = x < x1;
    int left = x + 1;
    if (inRun) {
      if (left < x1) push(row, left, x1 - 1, -dir);  // the run leaks out on the left
      x = x1 + 1;
    }
    for (;;) {
      if (inRun) {
        while (x < e.width && cells[x] == old) cells[x++] = code;
        changes.addSpan(row, left, x - 1);
        push(row, left, x - 1, dir);
        if (x > x2 + 1) push(row, x2 + 1, x - 1, -dir);  // leaks out on the right
      }
      ++x;  // cells[x] is no `old` cell (or lies past the map): look beyond it
      while (x <= x2 && !(cells[x] == old)) ++x;
      if (x > x2) break;
      left = x;
      inRun = true;
    }
  }
  return changes;
}

}  // namespace quillane::map
