#pragma once
// Small pieces the attribute, message and object dialogs share: buttons that Enter
// never presses, rows of CP932 texts in lists and selectors, and refusals of the rules.
#include <QString>
#include <vector>

#include "core/text/cp932.h"

class QComboBox;
class QListWidget;
class QPushButton;

namespace quillane::gui {

// A button with its resource name; only an "OK" may be the dialog's default button.
QPushButton* dialogButton(const QString& name, const QString& caption, bool isDefault = false);
// Replaces the rows of a list (no signal is sent) and selects `row` (-1: none).
void showRows(QListWidget* list, const std::vector<text::Bytes>& rows, int row);
// Replaces the items of a selector (no signal is sent) and shows `row`; -1 shows
// `placeholder` instead.
void showItems(QComboBox* box, const std::vector<text::Bytes>& items, int row, const QString& placeholder = {});
// Shows a refusal of the editor's rules (CP932 text) in the input-error box.
void showRefusal(const text::Bytes& message);

}  // namespace quillane::gui
