#include "gui/editors/dialog_parts.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/data/text_rules.h"
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

}  // namespace quillane::gui
