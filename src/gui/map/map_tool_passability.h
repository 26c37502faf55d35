#pragma once
// "表示": marks every tile of the tile work bitmap with its passability class, so that
// the palette and the canvas show it. "不可" and "イベ不" tiles are dimmed and carry
// their mark from the symbol bitmap; "可" tiles stay as they are. Turning the display
// off reloads the banks from their files.
#include <QImage>

namespace quillane::gui {

class SymbolSheet;

void markPassability(QImage& work, const SymbolSheet& symbols, bool splitChips);

}  // namespace quillane::gui
