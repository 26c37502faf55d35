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
  auto edit = [&](int row, int col, const char* caption, const char* name) {
    return addEdit(this, grid, row, col, QString::fromUtf8(caption), QString::fromLatin1(name), 70);
  };
  auto wide = [&](int row, const char* caption, const char* name) {
    return addWideEdit(this, grid, row, QString::fromUtf8(caption), QString::fromLatin1(name));
  };
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
