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
#include "gui/editors/effect_controls.h"
#include "gui/editors/magic_dialog.h"
#include "gui/editors/twin_frame.h"
#include "gui/ui/fonts.h"

namespace quillane::gui {

QWidget* MagicDialog::buildMagicFields() {
  auto* area = new QWidget(this);
  QGridLayout* grid = twinFieldsGrid(this, area, QStringLiteral("消費MP"), QStringLiteral("EDIT_MP_COST"));
  addWideEdit(this, grid, 5, QStringLiteral("動作"), QStringLiteral("EDIT_TEXT4"));
  addAttributeAndHit(this, grid, 6);
  addWideEdit(this, grid, 7, QStringLiteral("発生イベントラベル"), QStringLiteral("EDIT_EVENT"));
  addAnimationRows(this, area, grid, 8);
  auto* flags = new QHBoxLayout;
  flags->addWidget(addCheck(area, QStringLiteral("攻撃力使用"), QStringLiteral("CHECK_USES_ATTACK")));
  flags->addWidget(addCheck(area, QStringLiteral("得意技"), QStringLiteral("CHECK_SPECIAL")));
  flags->addStretch();
  grid->addLayout(flags, 10, 1, 1, 3);
  grid->setRowStretch(11, 1);
  return area;
}

QWidget* MagicDialog::buildSoundFields() {
  auto* group = new QGroupBox(this);
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(4);
  addSoundRow(this, grid, 0, QStringLiteral("デフォルト効果音ファイル名"), QStringLiteral("COMBO_DEFAULT_SOUND"),
              QStringLiteral("BUTTON_LISTEN_DEFAULT"), kListenDefault);
  grid->addWidget(addButton(this, QStringLiteral("全デフォルト▼"), QStringLiteral("BUTTON_ALL_DEFAULT"), kAllDefault), 1,
                  1);
  grid->addWidget(new QLabel(QStringLiteral("効果音設定"), group), 2, 0);
  playerSounds_ = new QListWidget(group);
  playerSounds_->setObjectName(QStringLiteral("LIST_PLAYER_SOUNDS"));
  playerSounds_->setFont(ui::fixedPitchFont());
  playerSounds_->setUniformItemSizes(true);  // one line each: no size measured per row
  grid->addWidget(playerSounds_, 3, 0, 1, 4);
  grid->addWidget(addButton(this, QStringLiteral("▲登録"), QStringLiteral("BUTTON_REGISTER_SOUND"), kRegisterSound), 4,
                  1);
  addSoundRow(this, grid, 5, QStringLiteral("ファイル名"), QStringLiteral("COMBO_FILE_SOUND"),
              QStringLiteral("BUTTON_LISTEN_FILE"), kListenFile);
  grid->setColumnStretch(3, 1);
  return group;
}

}  // namespace quillane::gui
