#pragma once
// The painting tools on one layer: pen stamp, copy and paste, rectangle and flood
// fill. Each writes only inside the map (width × height, within the 201 × 201 grid)
// and reports the cells whose code changed.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "core/map/cell_changes.h"
#include "core/map/palette.h"
#include "core/map/tile_layer.h"

namespace quillane::map {

// The map's extent on its layers.
struct MapExtent {
  int width = 0;
  int height = 0;
  bool contains(int row, int col) const {
    return row >= 0 && col >= 0 && row < height && col < width && TileLayer::inGrid(row, col);
  }
};

// The block a copy took: codes row by row.
struct CopyBuffer {
  int width = 0;
  int height = 0;
  std::vector<TileCode> codes;
  bool empty() const { return codes.empty(); }
  void clear() { *this = CopyBuffer{}; }
};

// Pen: the brush with its top-left cell at `at`; cells outside the map are skipped.
ChangedCells stampBrush(TileLayer& layer, MapExtent extent, const Brush& brush, CellPos at);

// Copy: the block between two corners given in any order (clipped to the grid).
CopyBuffer copyBlock(const TileLayer& layer, CellPos cornerA, CellPos cornerB);

// Paste: the block with its top-left cell at `at`, clipped at the map's edge.
ChangedCells pasteBlock(TileLayer& layer, MapExtent extent, const CopyBuffer& block, CellPos at);

// Rectangle: every cell between the corners (any order) inside the map becomes `code`.
ChangedCells fillRectangle(TileLayer& layer, MapExtent extent, CellPos cornerA, CellPos cornerB,
                           TileCode code);

// The working memory of fills: the segments of rows still to explore and the cells the
// last fill changed. A caller that fills again and again keeps one, so that once both
// have grown to its largest region a fill allocates nothing.
struct FillScratch {
  // Columns left..right of `row`, reached from row − dir.
  struct Segment {
    int row, left, right, dir;
  };
  std::vector<Segment> stack;
  ChangedCells changes;  // valid until the next fill with this scratch
};

namespace fill_detail {
// The whole fill, out of line.
const ChangedCells& fill(TileLayer& layer, MapExtent extent, CellPos start, TileCode code, FillScratch& scratch);
inline std::uint32_t word(const TileCode& code) { return std::bit_cast<std::uint32_t>(code); }
}  // namespace fill_detail

// Fill: the 4-connected region of cells holding the start cell's code, inside the map,
// becomes `code` (whole codes compared, bank digit included). Nothing happens when the
// start lies outside the map or already holds `code`. Returns scratch.changes.
// The smallest fill, a one-cell island away from the map's edge, is painted here in
// line, so that a run of clicks on single cells costs little more than writing them;
// everything else is the scanline fill of fill_detail::fill.
[[gnu::always_inline]] inline const ChangedCells& floodFill(TileLayer& layer, MapExtent extent, CellPos start,
                                                         TileCode code, FillScratch& scratch) {
  using fill_detail::word;
  const int r = start.row, c = start.col;
  // Rows 1..height − 2 and columns 1..width − 2 have all four neighbours in the map.
  const int innerRows = std::clamp(extent.height, 2, kGridSize) - 2;
  const int innerCols = std::clamp(extent.width, 2, kGridSize) - 2;
  if (static_cast<unsigned>(r - 1) < static_cast<unsigned>(innerRows) &&
      static_cast<unsigned>(c - 1) < static_cast<unsigned>(innerCols)) {
    TileCode* cell = layer.row(r) + c;
    const std::uint32_t old = word(*cell);
    if (old != word(code) && word(cell[-1]) != old && word(cell[1]) != old && word(cell[-kGridSize]) != old &&
        word(cell[kGridSize]) != old) {
      std::vector<RowSpan>& spans = scratch.changes.spans;
      if (spans.size() == 1) {  // the last fill was one run too: reuse its place
        spans.front() = {r, c, c};
      } else {
        spans.clear();
        spans.push_back({r, c, c});
      }
      *cell = code;  // last: a cell store may alias anything, and would make the push reload
      return scratch.changes;
    }
  }
  return fill_detail::fill(layer, extent, start, code, scratch);
}

// The same for a single fill, with working memory of its own.
ChangedCells floodFill(TileLayer& layer, MapExtent extent, CellPos start, TileCode code);

}  // namespace quillane::map
