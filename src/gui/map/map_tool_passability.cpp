#include "gui/map/map_tool_passability.h"

#include "gui/map/symbol_sheet.h"

namespace quillane::gui {

void markPassability(QImage& work, const SymbolSheet& symbols, bool splitChips) {
  // Standard form: tile rows 0..8 are impassable, 9..10 impassable to events. Split
  // form: bank 0 (rows 0..15) and bank 1 (rows 16..31) of the stacked work bitmap.
  const int lastRow = splitChips ? 31 : 10;
  const int lastBlocked = splitChips ? 15 : 8;
  for (int row = 0; row <= lastRow; ++row) {
    const Symbol mark = row <= lastBlocked ? Symbol::Impassable : Symbol::EventImpassable;
    for (int column = 0; column < 16; ++column) {
      symbols.apply(work, column * 32, row * 32, Symbol::Dim);
      symbols.apply(work, column * 32, row * 32, mark);
    }
  }
}

}  // namespace quillane::gui
