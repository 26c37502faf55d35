#pragma once
// "地形" and "イベント" of the script editor: a character sheet shown for reference
// until the designer returns.
#include <QImage>

class QWidget;

namespace quillane::gui {

void showSheetUntilReturn(const QImage& sheet, QWidget* parent);

}  // namespace quillane::gui
