#include "gui/editors/magic_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "core/editors/magic_sounds.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

MagicDialog::MagicDialog(data::ProjectDatabase& db, std::filesystem::path projectFolder, media::SoundPreview* sound,
                         QWidget* parent)
    : TwinRecordDialog(QStringLiteral("FORM_MAGIC"), QStringLiteral("魔法モード"), db, std::move(projectFolder), sound,
                       parent) {
  buildFrame(buildMagicFields(), {buildSoundFields()}, EffectControls::Kind::Magic);
  bind();
}

void MagicDialog::bind() {
  data::MagicTable& t = db_.magic;
  auto edit = [this](const char* name) { return control<QLineEdit>(QString::fromLatin1(name)); };
  auto combo = [this](const char* name) { return control<QComboBox>(QString::fromLatin1(name)); };
  auto check = [this](const char* name) { return control<QCheckBox>(QString::fromLatin1(name)); };
  bindShared(t, {0, 1, 2, 3, 4});
  fields_.number(edit("EDIT_MP_COST"), column(t.mpCost));
  fields_.check(check("CHECK_USES_ATTACK"), column(t.usesAttack));
  fields_.check(check("CHECK_SPECIAL"), column(t.special));
  names_.add(combo("COMBO_DEFAULT_SOUND"), column(t.sound), &sounds_);
  fileSound_.addUnbound(combo("COMBO_FILE_SOUND"), &sounds_);
}

void MagicDialog::enter() {
  copy_.clear();
  copy_.keep(db_.magic, record_);
  fileSound_.display(record_);  // no file picked yet
}

void MagicDialog::restore() { copy_.restore(db_.magic); }

void MagicDialog::handleOwn(int action) {
  const auto r = static_cast<std::size_t>(record_);
  auto* file = control<QComboBox>(QStringLiteral("COMBO_FILE_SOUND"));
  const bool picked = file->currentIndex() >= 0;
  const text::Bytes fileName = fileSound_.shown(file);
  switch (action) {
    case kListenDefault:
      listen(db_.magic.sound[r]);
      break;
    case kListenFile:
      if (picked) listen(fileName);
      break;
    case kRegisterSound:
      if (playerSounds_->currentRow() >= 0 && picked)
        editors::registerPlayerSound(db_, record_, playerSounds_->currentRow(), fileName);
      break;
    case kAllDefault:
      editors::setAllPlayerSoundsToDefault(db_, record_);
      break;
    default:
      break;
  }
}

void MagicDialog::displayOwn() {
  const auto r = static_cast<std::size_t>(record_);
  effect_->show(db_.magic.effect[r], db_.magic.potency[r]);
  const int row = playerSounds_->currentRow();
  playerSounds_->clear();
  for (const auto& line : editors::playerSoundRows(db_, record_)) playerSounds_->addItem(ui::toQString(line));
  if (row >= 0 && row < playerSounds_->count()) playerSounds_->setCurrentRow(row);
}

bool MagicDialog::commitOwn() {
  const auto r = static_cast<std::size_t>(record_);
  // The power is a field only while the head takes one (its box is editable then).
  if (auto power = effect_->typedPower()) db_.magic.potency[r] = *power;
  db_.magic.effect[r] = editors::composeMagicEffect(db_.magic.effect[r], effect_->input());
  return true;
}

}  // namespace quillane::gui
