#include "core/map/palette.h"

#include <algorithm>

#include "core/map/tile_lookup.h"

namespace quillane::map {
CellPos clampPaletteCell(CellPos c) {
  return {std::clamp(c.row, 0, kPaletteRows - 1), std::clamp(c.col, 0, kPaletteColumns - 1)};
}

TileCode paletteCode(CellPos cell, const PaletteView& view, LayerKind layer, bool split) {
  int value = (view.scrollRow + cell.row) * 16 + (view.scrollCol + cell.col);
  if (layer == LayerKind::Sky) return skyCode(value);
  return groundCode(value, std::clamp(view.bank, 1, kBanks) - 1, split);
}

Brush paletteBrush(const PaletteSelection& selection, const PaletteView& view, LayerKind layer, bool split) {
  CellPos a = clampPaletteCell(selection.anchor);
  CellPos b = clampPaletteCell(selection.corner);
  int top = std::min(a.row, b.row), bottom = std::max(a.row, b.row);
  int left = std::min(a.col, b.col), right = std::max(a.col, b.col);
  Brush brush;
  brush.width = right - left + 1;
  brush.height = bottom - top + 1;
  for (int r = top; r <= bottom; ++r)
    for (int c = left; c <= right; ++c) brush.codes.push_back(paletteCode({r, c}, view, layer, split));
  return brush;
}

TileCode anchorCode(const PaletteSelection& selection, const PaletteView& view, LayerKind layer, bool split) {
  return paletteCode(clampPaletteCell(selection.anchor), view, layer, split);
}

std::optional<CellPos> paletteCellAt(int x, int y) {
  if (x < 0 || y < 0 || x >= kPaletteColumns * kTilePixels || y >= kPaletteRows * kTilePixels)
    return std::nullopt;
  return CellPos{y / kTilePixels, x / kTilePixels};
}

CellPos paletteCellNearest(int x, int y) {
  auto floorDiv = [](int v) { return v >= 0 ? v / kTilePixels : -((-v + kTilePixels - 1) / kTilePixels); };
  return clampPaletteCell({floorDiv(y), floorDiv(x)});
}

std::optional<PickResult> pickTile(TileCode code, LayerKind layer, bool split, const PaletteView& current) {
  int value = tileValue(code);
  if (value < 0) return std::nullopt;
  PickResult result;
  result.view.bank = current.bank;
  if (layer == LayerKind::Ground && split) {
    int bank = tileBank(code, true);
    if (bank < 0) return std::nullopt;
    result.view.bank = bank + 1;
  }
  int row = value / 16, col = value % 16;
  result.view.scrollCol = std::max(0, col - (kPaletteColumns - 1));
  result.view.scrollRow = std::max(0, row - (kPaletteRows - 1));
  CellPos cell{row - result.view.scrollRow, col - result.view.scrollCol};
  result.selection = {cell, cell};
  return result;
}

PaletteView scrollPalette(PaletteView view, int dCol, int dRow) {
  view.scrollCol = std::clamp(view.scrollCol + dCol, 0, kPaletteMaxScrollCol);
  view.scrollRow = std::clamp(view.scrollRow + dRow, 0, kPaletteMaxScrollRow);
  return view;
}

}  // namespace quillane::map
