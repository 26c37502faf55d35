#pragma once
// The tile palette: 6 × 9 visible tiles of a 16 × 16 sheet, scrolled and (split
// map-chip form) switched between banks; the brush it yields and the tile picker.
#include <optional>
#include <vector>

#include "core/map/cell_changes.h"
#include "core/map/tile_code.h"

namespace quillane::map {

inline constexpr int kPaletteColumns = 6;
inline constexpr int kPaletteRows = 9;
inline constexpr int kPaletteMaxScrollCol = 16 - kPaletteColumns;  // 10
inline constexpr int kPaletteMaxScrollRow = 16 - kPaletteRows;     // 7

enum class LayerKind { Ground, Sky };

struct PaletteView {
  int scrollCol = 0;  // first visible sheet column 0..10
  int scrollRow = 0;  // first visible sheet row 0..7
  int bank = 1;       // 1..3 (split form); painted codes carry bank − 1
  friend bool operator==(const PaletteView&, const PaletteView&) = default;
};

// Anchor and current corner in visible palette cells (column 0..5, row 0..8).
struct PaletteSelection {
  CellPos anchor;
  CellPos corner;
  friend bool operator==(const PaletteSelection&, const PaletteSelection&) = default;
};

// A block of codes, row by row.
struct Brush {
  int width = 0;
  int height = 0;
  std::vector<TileCode> codes;
  const TileCode& at(int row, int col) const {
    return codes[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(col)];
  }
};

// The code of the sheet tile shown at visible cell `cell`.
TileCode paletteCode(CellPos cell, const PaletteView& view, LayerKind layer, bool split);
// What the selection frame encloses now, at the current scroll and bank.
Brush paletteBrush(const PaletteSelection& selection, const PaletteView& view, LayerKind layer, bool split);
// The anchor tile's code: what the rectangle and the fill paint.
TileCode anchorCode(const PaletteSelection& selection, const PaletteView& view, LayerKind layer, bool split);

// The visible palette cell under a press at (x, y) relative to the palette's top-left
// corner (the palette stands at x 528 in its window: column = floor((x − 528) / 32));
// empty outside the 192 × 288 palette.
std::optional<CellPos> paletteCellAt(int x, int y);
// The visible cell nearest to (x, y), for a drag that leaves the palette.
CellPos paletteCellNearest(int x, int y);
// A selection corner kept inside the visible cells.
CellPos clampPaletteCell(CellPos cell);

// The tile picker: the palette shows the picked code's tile as the single selected
// cell, scrolled from 0 just far enough, on the code's bank (ground, split form).
// Empty when the code names no tile.
struct PickResult {
  PaletteView view;
  PaletteSelection selection;
};
std::optional<PickResult> pickTile(TileCode code, LayerKind layer, bool split, const PaletteView& current);

// Palette scrolling by keys: one cell within 0..10 and 0..7.
PaletteView scrollPalette(PaletteView view, int dCol, int dRow);

}  // namespace quillane::map
