#include "gui/map/map_tool_passability.h"

#include <algorithm>

#include "core/map/tile_lookup.h"
#include "gui/map/symbol_sheet.h"

namespace quillane::gui {

void markPassability(QImage& work, const SymbolSheet& symbols, bool splitChips) {
  // Tile rows by their class: standard form rows 0..8 impassable, 9..10 impassable to
  // events (only bank 0 is used); split form bank 0 and bank 1 of the stacked banks.
  const int rows = std::min(work.height() / 32, splitChips ? 48 : 16);
  for (int row = 0; row < rows; ++row) {
    const map::Passability cls = map::sheetRowPassability(row, splitChips);
    if (cls == map::Passability::Passable) continue;
    const Symbol mark = cls == map::Passability::Impassable ? Symbol::Impassable : Symbol::EventImpassable;
    for (int column = 0; column < 16; ++column) {
      symbols.apply(work, column * 32, row * 32, Symbol::Dim);
      symbols.apply(work, column * 32, row * 32, mark);
    }
  }
}

}  // namespace quillane::gui
