// The controls of the magic dialog: the magic's own fields on the left above the
// animation preview (where the item dialog has it), effect and sounds on the right.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editors/effect_codes.h"
#include "core/editors/record_previews.h"
#include "gui/editors/effect_controls.h"
#include "gui/editors/magic_dialog.h"
#include "gui/editors/preview_widgets.h"
#include "gui/ui/fonts.h"

namespace quillane::gui {

namespace {

constexpr int kDialogWidth = 1000;
constexpr int kDialogHeight = 640;

QCheckBox* addCheck(QWidget* parent, const QString& caption, const QString& name) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

}  // namespace

void MagicDialog::build() {
  body_ = new QWidget(this);
  body_->setGeometry(0, 0, kDialogWidth, kDialogHeight);
  QWidget* magic = buildMagicFields();
  magic->setParent(body_);
  magic->setGeometry(8, 4, 474, 382);

  preview_ = new CanvasPreview(QStringLiteral("PICTURE_ANIMATION"),
                               QRect(editors::kAnimationPreviewX, editors::kAnimationPreviewY,
                                     editors::kAnimationPreviewWidth, editors::kAnimationPreviewHeight),
                               body_);
  auto* show = addButton(this, QStringLiteral("表示"), QStringLiteral("BUTTON_SHOW"), kShowAnimation);
  show->setParent(body_);
  show->setGeometry(8, editors::kAnimationPreviewY, 64, 28);

  QWidget* right = new QWidget(body_);
  right->setGeometry(496, 4, 496, 582);
  auto* column = new QVBoxLayout(right);
  column->setContentsMargins(0, 0, 0, 0);
  auto* effectBox = new QGroupBox(QStringLiteral("効果"), right);
  auto* effectGrid = new QGridLayout(effectBox);
  effectGrid->setVerticalSpacing(3);
  effect_ = std::make_unique<EffectControls>(this, effectGrid, 0, EffectControls::Kind::Magic, kRedisplay);
  effectGrid->setColumnStretch(2, 1);
  column->addWidget(effectBox);
  QWidget* sounds = buildSoundFields();
  sounds->setParent(right);
  column->addWidget(sounds, 1);

  auto* buttons = new QWidget(body_);
  buttons->setGeometry(8, kDialogHeight - 44, kDialogWidth - 16, 36);
  auto* row = navigationRow(this);
  row->setContentsMargins(0, 0, 0, 0);
  buttons->setLayout(row);
  setFixedSize(kDialogWidth, kDialogHeight);
}

QWidget* MagicDialog::buildMagicFields() {
  auto* area = new QWidget(this);
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(3);
  auto edit = [&](int row, int col, const char* caption, const char* name, int width = 70) {
    return addEdit(this, grid, row, col, QString::fromUtf8(caption), QString::fromLatin1(name), width);
  };
  auto wide = [&](int row, const char* caption, const char* name) {
    QLineEdit* box = edit(row, 0, caption, name, 300);
    grid->addWidget(box, row, 1, 1, 3);
    return box;
  };
  edit(0, 0, "No.", "EDIT_NO")->setReadOnly(true);
  edit(0, 2, "消費MP", "EDIT_MP_COST");
  wide(1, "名前", "EDIT_TEXT0");
  wide(2, "説明", "EDIT_TEXT1");
  wide(3, "", "EDIT_TEXT2");
  wide(4, "", "EDIT_TEXT3");
  wide(5, "動作", "EDIT_TEXT4");
  addCombo(this, grid, 6, 0, QStringLiteral("属性"), QStringLiteral("COMBO_ATTRIBUTE"), 120);
  edit(6, 2, "攻撃命中率", "EDIT_HIT");
  wide(7, "発生イベントラベル", "EDIT_EVENT");
  auto* animation =
      addCombo(this, grid, 8, 0, QStringLiteral("アニメーションファイル名"), QStringLiteral("COMBO_ANIMATION"), 150);
  grid->addWidget(animation, 8, 1, 1, 2);
  auto* position = addCombo(this, grid, 9, 0, QStringLiteral("表示位置"), QStringLiteral("COMBO_POSITION"), 120);
  fillRows(position, editors::displayPositionRows());
  grid->addWidget(addCheck(area, QStringLiteral("全体アニメ"), QStringLiteral("CHECK_WHOLE")), 9, 3);
  auto* flags = new QHBoxLayout;
  flags->addWidget(addCheck(area, QStringLiteral("攻撃力使用"), QStringLiteral("CHECK_USES_ATTACK")));
  flags->addWidget(addCheck(area, QStringLiteral("得意技"), QStringLiteral("CHECK_SPECIAL")));
  flags->addStretch();
  grid->addLayout(flags, 10, 1, 1, 3);
  grid->setRowStretch(11, 1);
  grid->setColumnStretch(3, 1);
  return area;
}

QWidget* MagicDialog::buildSoundFields() {
  auto* group = new QGroupBox(this);
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(4);
  auto* fallback = addCombo(this, grid, 0, 0, QStringLiteral("デフォルト効果音ファイル名"),
                            QStringLiteral("COMBO_DEFAULT_SOUND"), 150);
  grid->addWidget(fallback, 0, 1, 1, 2);
  grid->addWidget(addButton(this, QStringLiteral("試聴"), QStringLiteral("BUTTON_LISTEN_DEFAULT"), kListenDefault), 0, 3);
  grid->addWidget(addButton(this, QStringLiteral("全デフォルト▼"), QStringLiteral("BUTTON_ALL_DEFAULT"), kAllDefault), 1,
                  1);
  grid->addWidget(new QLabel(QStringLiteral("効果音設定"), group), 2, 0);
  playerSounds_ = new QListWidget(group);
  playerSounds_->setObjectName(QStringLiteral("LIST_PLAYER_SOUNDS"));
  playerSounds_->setFont(ui::fixedPitchFont());
  grid->addWidget(playerSounds_, 3, 0, 1, 4);
  grid->addWidget(addButton(this, QStringLiteral("▲登録"), QStringLiteral("BUTTON_REGISTER_SOUND"), kRegisterSound), 4,
                  1);
  auto* file = addCombo(this, grid, 5, 0, QStringLiteral("ファイル名"), QStringLiteral("COMBO_FILE_SOUND"), 150);
  grid->addWidget(file, 5, 1, 1, 2);
  grid->addWidget(addButton(this, QStringLiteral("試聴"), QStringLiteral("BUTTON_LISTEN_FILE"), kListenFile), 5, 3);
  grid->setColumnStretch(3, 1);
  return group;
}

}  // namespace quillane::gui
