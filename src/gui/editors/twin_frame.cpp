#include "gui/editors/twin_frame.h"

#include <QGridLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editors/effect_codes.h"
#include "core/editors/record_previews.h"
#include "gui/editors/preview_widgets.h"
#include "gui/editors/record_form_parts.h"
#include "gui/ui/form.h"

namespace quillane::gui {

namespace {

constexpr int kDialogWidth = 1000;
constexpr int kDialogHeight = 640;

}  // namespace

QLineEdit* addWideEdit(ui::Form* form, QGridLayout* grid, int row, const QString& caption, const QString& name) {
  QLineEdit* box = addEdit(form, grid, row, 0, caption, name, 300);
  grid->addWidget(box, row, 1, 1, 3);
  return box;
}

void addAttributeAndHit(ui::Form* form, QGridLayout* grid, int row) {
  addCombo(form, grid, row, 0, QStringLiteral("属性"), QStringLiteral("COMBO_ATTRIBUTE"), 120);
  addEdit(form, grid, row, 2, QStringLiteral("攻撃命中率"), QStringLiteral("EDIT_HIT"), 70);
}

void addAnimationRows(ui::Form* form, QWidget* area, QGridLayout* grid, int row) {
  auto* animation =
      addCombo(form, grid, row, 0, QStringLiteral("アニメーションファイル名"), QStringLiteral("COMBO_ANIMATION"), 150);
  grid->addWidget(animation, row, 1, 1, 2);
  auto* position = addCombo(form, grid, row + 1, 0, QStringLiteral("表示位置"), QStringLiteral("COMBO_POSITION"), 120);
  fillRows(position, editors::displayPositionRows());
  grid->addWidget(addCheck(area, QStringLiteral("全体アニメ"), QStringLiteral("CHECK_WHOLE")), row + 1, 3);
}

void addSoundRow(ui::Form* form, QGridLayout* grid, int row, const QString& caption, const QString& name,
                 const QString& buttonName, int code) {
  grid->addWidget(addCombo(form, grid, row, 0, caption, name, 150), row, 1, 1, 2);
  grid->addWidget(addButton(form, QStringLiteral("試聴"), buttonName, code), row, 3);
}

QGridLayout* twinFieldsGrid(ui::Form* form, QWidget* area, const QString& secondCaption, const QString& secondName) {
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(3);
  addEdit(form, grid, 0, 0, QStringLiteral("No."), QStringLiteral("EDIT_NO"), 70)->setReadOnly(true);
  addEdit(form, grid, 0, 2, secondCaption, secondName, 70);
  addWideEdit(form, grid, 1, QStringLiteral("名前"), QStringLiteral("EDIT_TEXT0"));
  addWideEdit(form, grid, 2, QStringLiteral("説明"), QStringLiteral("EDIT_TEXT1"));
  addWideEdit(form, grid, 3, QString(), QStringLiteral("EDIT_TEXT2"));
  addWideEdit(form, grid, 4, QString(), QStringLiteral("EDIT_TEXT3"));
  grid->setColumnStretch(3, 1);
  return grid;
}

TwinFrame buildTwinFrame(ui::Form* form, QWidget* ownFields, std::initializer_list<QWidget*> right,
                         EffectControls::Kind kind, int showCode, int redisplayCode) {
  TwinFrame frame;
  frame.body = new QWidget(form);
  frame.body->setGeometry(0, 0, kDialogWidth, kDialogHeight);
  ownFields->setParent(frame.body);
  ownFields->setGeometry(8, 4, 474, 382);

  frame.preview = new CanvasPreview(QStringLiteral("PICTURE_ANIMATION"),
                                    QRect(editors::kAnimationPreviewX, editors::kAnimationPreviewY,
                                          editors::kAnimationPreviewWidth, editors::kAnimationPreviewHeight),
                                    frame.body);
  auto* show = addButton(form, QStringLiteral("表示"), QStringLiteral("BUTTON_SHOW"), showCode);
  show->setParent(frame.body);
  show->setGeometry(8, editors::kAnimationPreviewY, 64, 28);

  auto* column = new QWidget(frame.body);
  column->setGeometry(496, 4, 496, 582);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* effectBox = new QGroupBox(QStringLiteral("効果"), column);
  auto* effectGrid = new QGridLayout(effectBox);
  effectGrid->setVerticalSpacing(3);
  frame.effect = std::make_unique<EffectControls>(form, effectGrid, 0, kind, redisplayCode);
  effectGrid->setColumnStretch(2, 1);
  layout->addWidget(effectBox);
  int left = static_cast<int>(right.size());
  for (QWidget* w : right) {
    w->setParent(column);
    layout->addWidget(w, --left == 0 ? 1 : 0);
  }

  auto* buttons = new QWidget(frame.body);
  buttons->setGeometry(8, kDialogHeight - 44, kDialogWidth - 16, 36);
  auto* row = navigationRow(form);
  row->setContentsMargins(0, 0, 0, 0);
  buttons->setLayout(row);
  form->setFixedSize(kDialogWidth, kDialogHeight);
  return frame;
}

}  // namespace quillane::gui
