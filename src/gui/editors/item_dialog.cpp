#include "gui/editors/item_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/editors/arms_link.h"
#include "core/editors/equipment.h"
#include "core/editors/record_rows.h"
#include "gui/editors/effect_controls.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

namespace {

const char* const kWeaponEdits[] = {"EDIT_ARMS_ATTACK", "EDIT_ARMS_DEFENCE", "EDIT_ARMS_SPEED", "EDIT_ARMS_ATTACKS",
                                    "EDIT_ARMS_MAGIC_DEFENCE"};

void fillList(QListWidget* list, const std::vector<text::Bytes>& rows) {
  const int current = list->currentRow();
  list->clear();
  for (const auto& row : rows) list->addItem(ui::toQString(row));
  if (current >= 0 && current < list->count()) list->setCurrentRow(current);
}

}  // namespace

ItemDialog::ItemDialog(data::ProjectDatabase& db, std::filesystem::path projectFolder, media::SoundPreview* sound,
                       QWidget* parent)
    : TwinRecordDialog(QStringLiteral("FORM_ITEM"), QStringLiteral("道具・武器モード"), db, std::move(projectFolder),
                       sound, parent) {
  weapon_ = addCheck(this, QStringLiteral("武器"), QStringLiteral("CHECK_WEAPON"));
  connect(weapon_, &QCheckBox::clicked, this, [this] { post(kRedisplay); });
  buildFrame(buildItemFields(), {weapon_, buildWeaponFields()}, EffectControls::Kind::Item);
  bind();
}

void ItemDialog::bind() {
  data::ItemTable& t = db_.items;
  data::ArmsTable& a = db_.arms;
  auto edit = [this](const char* name) { return control<QLineEdit>(QString::fromLatin1(name)); };
  auto combo = [this](const char* name) { return control<QComboBox>(QString::fromLatin1(name)); };
  auto check = [this](const char* name) { return control<QCheckBox>(QString::fromLatin1(name)); };
  bindShared(t, {0, 1, 2, 3, 4, 6});
  fields_.number(edit("EDIT_PRICE"), column(t.price));
  fields_.number(edit("EDIT_USES"), column(t.uses));
  fields_.check(check("CHECK_IMPORTANT"), column(t.important));
  names_.add(combo("COMBO_USE_SOUND"), column(t.useSound), &sounds_);

  armsFields_.number(edit("EDIT_ARMS_ATTACK"), column(a.attack));
  armsFields_.number(edit("EDIT_ARMS_DEFENCE"), column(a.defence));
  armsFields_.number(edit("EDIT_ARMS_SPEED"), column(a.speed));
  armsFields_.number(edit("EDIT_ARMS_ATTACKS"), column(a.attacks));
  armsFields_.number(edit("EDIT_ARMS_MAGIC_DEFENCE"), column(a.magicDefence));
  armsFields_.check(check("CHECK_ITEM_EFFECT"), column(a.itemEffect));
  armsNames_.add(combo("COMBO_ATTACK_SOUND"), column(a.attackSound), &sounds_);
}

void ItemDialog::enter() {
  copies_.take(db_, record_);
  fillList(players_, editors::playerRows(db_));
}

void ItemDialog::restore() { copies_.restore(db_); }

void ItemDialog::handleOwn(int action) {
  const auto r = static_cast<std::size_t>(record_);
  const int arms = editors::armsRecordOf(db_, record_);
  switch (action) {
    case kListenUse:
      listen(db_.items.useSound[r]);
      break;
    case kListenAttack:
      if (arms >= 0) listen(db_.arms.attackSound[static_cast<std::size_t>(arms)]);
      break;
    case kRegisterPlayer:
      if (arms >= 0 && players_->currentRow() >= 0) editors::permitPlayer(db_, arms, players_->currentRow());
      break;
    case kDeletePlayer:
      if (arms >= 0 && permitted_->currentRow() >= 0) editors::revokePermittedRow(db_, arms, permitted_->currentRow());
      break;
    default:
      break;
  }
}

void ItemDialog::displayOwn() {
  const auto r = static_cast<std::size_t>(record_);
  effect_->show(db_.items.text[r][5]);
  weapon_->setChecked(db_.items.armsIndex[r] != 0);
  displayWeapon();
}

void ItemDialog::displayWeapon() {
  const int arms = editors::armsRecordOf(db_, record_);
  const bool equipment = arms >= 0;
  auto* number = control<QLineEdit>(QStringLiteral("EDIT_ARMS_NO"));
  auto* part = control<QComboBox>(QStringLiteral("COMBO_PART"));
  auto* sound = control<QComboBox>(QStringLiteral("COMBO_ATTACK_SOUND"));
  auto* itemEffect = control<QCheckBox>(QStringLiteral("CHECK_ITEM_EFFECT"));
  for (const char* name : kWeaponEdits) control<QLineEdit>(QString::fromLatin1(name))->setReadOnly(!equipment);
  for (QWidget* w : {static_cast<QWidget*>(part), static_cast<QWidget*>(sound), static_cast<QWidget*>(itemEffect)})
    w->setEnabled(equipment);
  control<QPushButton>(QStringLiteral("BUTTON_REGISTER"))->setEnabled(equipment);
  control<QPushButton>(QStringLiteral("BUTTON_DELETE"))->setEnabled(equipment);
  control<QPushButton>(QStringLiteral("BUTTON_LISTEN_ATTACK"))->setEnabled(equipment);
  if (!equipment) {
    number->clear();
    for (const char* name : kWeaponEdits) control<QLineEdit>(QString::fromLatin1(name))->clear();
    part->setCurrentIndex(-1);
    sound->clear();
    itemEffect->setChecked(false);
    permitted_->clear();
    return;
  }
  number->setText(QString::number(arms + 1));
  armsFields_.display(arms);
  armsNames_.display(arms);
  part->setCurrentIndex(editors::partRow(db_.arms.part[static_cast<std::size_t>(arms)]).value_or(-1));
  markShown(part);
  std::vector<text::Bytes> rows;
  const auto all = editors::playerRows(db_);
  for (int p : editors::permittedPlayers(db_, arms)) rows.push_back(all[static_cast<std::size_t>(p)]);
  fillList(permitted_, rows);
}

bool ItemDialog::commitOwn() {
  const auto r = static_cast<std::size_t>(record_);
  bool ok = true;
  const editors::WeaponChange change = editors::applyWeaponBox(db_, record_, weapon_->isChecked());
  // A record just linked starts from the arms defaults: no weapon box is taken from the
  // screen in that action; an unlinked one keeps what it held.
  const int arms = editors::armsRecordOf(db_, record_);
  if (change == editors::WeaponChange::None && arms >= 0) {
    ok = armsFields_.commit(arms) && ok;
    armsNames_.commit(arms);
    auto* part = control<QComboBox>(QStringLiteral("COMBO_PART"));
    if (pickedSinceShown(part)) editors::changePart(db_, record_, part->currentIndex());
  }
  db_.items.text[r][5] = editors::composeItemEffect(db_.items.text[r][5], effect_->input());
  return ok;
}

}  // namespace quillane::gui
