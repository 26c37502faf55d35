// The controls of the item dialog and where they stand: the item's own fields on the
// left above the animation preview, the effect and the weapon fields on the right.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editors/arms_link.h"
#include "core/editors/effect_codes.h"
#include "gui/editors/effect_controls.h"
#include "gui/editors/item_dialog.h"
#include "gui/editors/twin_frame.h"
#include "gui/ui/fonts.h"

namespace quillane::gui {

QWidget* ItemDialog::buildItemFields() {
  auto* area = new QWidget(this);
  QGridLayout* grid = twinFieldsGrid(this, area, QStringLiteral("金額"), QStringLiteral("EDIT_PRICE"));
  addWideEdit(this, grid, 5, QStringLiteral("動作（自分）"), QStringLiteral("EDIT_TEXT4"));
  addWideEdit(this, grid, 6, QStringLiteral("動作（他人）"), QStringLiteral("EDIT_TEXT6"));
  addAttributeAndHit(this, grid, 7);
  addEdit(this, grid, 8, 0, QStringLiteral("使用可能回数"), QStringLiteral("EDIT_USES"), 70);
  grid->addWidget(addCheck(area, QStringLiteral("重要"), QStringLiteral("CHECK_IMPORTANT")), 8, 3);
  addWideEdit(this, grid, 9, QStringLiteral("発生イベントラベル"), QStringLiteral("EDIT_EVENT"));
  addSoundRow(this, grid, 10, QStringLiteral("使用時効果音ファイル名"), QStringLiteral("COMBO_USE_SOUND"),
              QStringLiteral("BUTTON_LISTEN_USE"), kListenUse);
  addAnimationRows(this, area, grid, 11);
  return area;
}

QWidget* ItemDialog::buildWeaponFields() {
  auto* group = new QGroupBox(QStringLiteral("武器項目"), this);
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(3);
  auto edit = [&](int row, int col, const char* caption, const char* name) {
    return addEdit(this, grid, row, col, QString::fromUtf8(caption), QString::fromLatin1(name), 70);
  };
  edit(0, 0, "No.", "EDIT_ARMS_NO")->setReadOnly(true);
  edit(0, 2, "攻撃力", "EDIT_ARMS_ATTACK");
  edit(1, 0, "防御力", "EDIT_ARMS_DEFENCE");
  edit(1, 2, "速さ", "EDIT_ARMS_SPEED");
  auto* part = addCombo(this, grid, 2, 0, QStringLiteral("装備部位置"), QStringLiteral("COMBO_PART"), 80);
  fillRows(part, editors::partRows());
  edit(2, 2, "攻撃回数", "EDIT_ARMS_ATTACKS");
  edit(3, 0, "魔法防御力", "EDIT_ARMS_MAGIC_DEFENCE");
  grid->addWidget(addCheck(group, QStringLiteral("道具効果"), QStringLiteral("CHECK_ITEM_EFFECT")), 3, 3);
  addSoundRow(this, grid, 4, QStringLiteral("攻撃時効果音ファイル名"), QStringLiteral("COMBO_ATTACK_SOUND"),
              QStringLiteral("BUTTON_LISTEN_ATTACK"), kListenAttack);

  auto list = [&](const char* name) {
    auto* l = new QListWidget(group);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(ui::fixedPitchFont());
    l->setUniformItemSizes(true);  // one line each: no size measured per row
    return l;
  };
  players_ = list("LIST_PLAYERS");
  permitted_ = list("LIST_PERMITTED");
  grid->addWidget(new QLabel(QStringLiteral("プレイヤー一覧"), group), 5, 0, 1, 2);
  grid->addWidget(players_, 6, 0, 1, 4);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(addButton(this, QStringLiteral("▼登録"), QStringLiteral("BUTTON_REGISTER"), kRegisterPlayer));
  buttons->addWidget(addButton(this, QStringLiteral("削除"), QStringLiteral("BUTTON_DELETE"), kDeletePlayer));
  buttons->addStretch();
  grid->addLayout(buttons, 7, 0, 1, 4);
  grid->addWidget(new QLabel(QStringLiteral("装備可能者"), group), 8, 0, 1, 2);
  grid->addWidget(permitted_, 9, 0, 1, 4);
  grid->setColumnStretch(3, 1);
  return group;
}

}  // namespace quillane::gui
