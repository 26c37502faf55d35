#include "gui/editors/dialog_parts.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "gui/ui/message_box.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

QPushButton* dialogButton(const QString& name, const QString& caption, bool isDefault) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  b->setAutoDefault(isDefault);
  b->setDefault(isDefault);
  return b;
}

void showRows(QListWidget* list, const std::vector<text::Bytes>& rows, int row) {
  QSignalBlocker block(list);
  list->clear();
  for (const text::Bytes& r : rows) list->addItem(ui::toQString(r));
  list->setCurrentRow(row >= 0 && row < list->count() ? row : -1);
  if (row < 0 || row >= list->count()) list->clearSelection();
}

void showItems(QComboBox* box, const std::vector<text::Bytes>& items, int row, const QString& placeholder) {
  QSignalBlocker block(box);
  box->clear();
  for (const text::Bytes& item : items) box->addItem(ui::toQString(item));
  box->setPlaceholderText(placeholder);
  box->setCurrentIndex(row >= 0 && row < box->count() ? row : -1);
}

void showRefusal(const text::Bytes& message) {
  ui::messageBox(ui::toQString(message), ui::toQString(data::refuseTextTitle()), ui::Buttons::Ok,
                 ui::Icon::Exclamation);
}

std::optional<text::Bytes> acceptedText(const QString& typed, data::TextUse use) {
  std::optional<text::Bytes> bytes = ui::toBytes(typed);
  if (!bytes) {
    showRefusal(text::sj("使用できない文字が含まれています"));
    return std::nullopt;
  }
  if (auto why = data::refuseText(*bytes, use)) {
    showRefusal(*why);
    return std::nullopt;
  }
  return bytes;
}

}  // namespace quillane::gui
