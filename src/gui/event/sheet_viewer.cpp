#include "gui/event/sheet_viewer.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "gui/ui/form.h"

namespace quillane::gui {

void showSheetUntilReturn(const QImage& sheet, QWidget* parent) {
  ui::Form form(QStringLiteral("SHEETVIEW"), QString::fromUtf8("キャラクタ参照"), 1, parent);
  auto* layout = new QVBoxLayout(&form);
  auto* picture = new QLabel;
  picture->setPixmap(QPixmap::fromImage(sheet));
  auto* scroll = new QScrollArea;
  scroll->setWidget(picture);
  scroll->setMinimumSize(std::min(sheet.width() + 24, 900), std::min(sheet.height() + 24, 700));
  layout->addWidget(scroll);
  auto* back = new QPushButton(QString::fromUtf8("戻る"));
  back->setObjectName(QStringLiteral("BUTTON1"));
  form.bindButton(back, 1);
  layout->addWidget(back);
  form.waitAction();
  form.finish();
}

}  // namespace quillane::gui
