#pragma once
// The painting tools on one layer: pen stamp, copy and paste, rectangle and flood
// fill. Each writes only inside the map (width × height, within the 201 × 201 grid)
// and reports the cells whose code changed.
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

// Fill: the 4-connected region of cells holding the start cell's code, inside the map,
// becomes `code` (whole codes compared, bank digit included). Nothing happens when the
// start lies outside the map or already holds `code`. Returns scratch.changes.
const ChangedCells& floodFill(TileLayer& layer, MapExtent extent, CellPos start, TileCode code,
                              FillScratch& scratch);
// The same for a single fill, with working memory of its own.
ChangedCells floodFill(TileLayer& layer, MapExtent extent, CellPos start, TileCode code);

}  // namespace quillane::map
