#pragma once
// "地形" and "イベント" of the script editor: a character sheet shown for reference
// until the designer returns, with its grid and the code of the cell under the pointer.
#include <QImage>

class QWidget;

namespace quillane::gui {

// How a cell of the sheet is named: an event character ("3A"), or a terrain character,
// with the bank digit in front under the split map-chip form ("13A").
enum class SheetCodes { EventCharacters, Terrain, TerrainSplit };

void showSheetUntilReturn(const QImage& sheet, QWidget* parent, SheetCodes codes);

}  // namespace quillane::gui
