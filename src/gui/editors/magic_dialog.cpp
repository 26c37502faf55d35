#include "gui/editors/magic_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "core/editors/animation_names.h"
#include "core/editors/magic_sounds.h"
#include "core/editors/record_rows.h"
#include "core/map/map_properties_files.h"
#include "core/media/sound_preview.h"
#include "gui/editors/effect_controls.h"
#include "gui/editors/preview_widgets.h"
#include "gui/ui/text_bridge.h"

namespace quillane::gui {

MagicDialog::MagicDialog(data::ProjectDatabase& db, std::filesystem::path projectFolder, media::SoundPreview* sound,
                         QWidget* parent)
    : ui::Form(QStringLiteral("FORM_MAGIC"), QStringLiteral("魔法モード"), kRecordCancel, parent),
      db_(db),
      folder_(std::move(projectFolder)),
      sound_(sound) {
  build();
  animation_ = std::make_unique<AnimationPlayer>(preview_, body_);
  bind();
}

MagicDialog::~MagicDialog() = default;

void MagicDialog::bind() {
  data::MagicTable& t = db_.magic;
  auto edit = [this](const char* name) { return control<QLineEdit>(QString::fromLatin1(name)); };
  auto combo = [this](const char* name) { return control<QComboBox>(QString::fromLatin1(name)); };
  auto check = [this](const char* name) { return control<QCheckBox>(QString::fromLatin1(name)); };
  for (std::size_t k = 0; k < 5; ++k)
    fields_.text(control<QLineEdit>(QStringLiteral("EDIT_TEXT") + QString::number(k)), element(t.text, k));
  fields_.number(edit("EDIT_MP_COST"), column(t.mpCost));
  fields_.number(edit("EDIT_HIT"), column(t.hitRate));
  fields_.text(edit("EDIT_EVENT"), column(t.eventLabel));
  fields_.selector(combo("COMBO_ATTRIBUTE"), column(t.attribute), editors::IndexRule::Plain);
  fields_.selector(combo("COMBO_POSITION"), column(t.displayPosition), editors::IndexRule::Plain);
  fields_.check(check("CHECK_WHOLE"), column(t.wholeScreen));
  fields_.check(check("CHECK_USES_ATTACK"), column(t.usesAttack));
  fields_.check(check("CHECK_SPECIAL"), column(t.special));
  names_.add(combo("COMBO_DEFAULT_SOUND"), column(t.sound), &sounds_);
  names_.add(combo("COMBO_ANIMATION"), column(t.animation), &animations_);
}

editors::RecordOutcome MagicDialog::run(int record) {
  record_ = record;
  copy_ = db_.magic;
  sounds_ = map::listStems(folder_, "WAV", "*.wav");
  animations_ = editors::animationNamesInFolder(folder_);
  fillRows(control<QComboBox>(QStringLiteral("COMBO_ATTRIBUTE")), editors::attributeRows(db_.scenery));
  auto* file = control<QComboBox>(QStringLiteral("COMBO_FILE_SOUND"));
  fillRows(file, sounds_);
  file->setCurrentIndex(-1);
  preview_->showCanvas(QImage());  // no frame of another record's animation
  display();
  return runRecordLoop(*this, control<QLineEdit>(QStringLiteral("EDIT_TEXT0")),
                       {[this] { db_.magic = copy_; }, [this] { return commit(); },
                        [this](int action) { handle(action); }, [this] { display(); }});
}

void MagicDialog::handle(int action) {
  const auto r = static_cast<std::size_t>(record_);
  auto* file = control<QComboBox>(QStringLiteral("COMBO_FILE_SOUND"));
  const text::Bytes fileName = file->currentIndex() >= 0 ? sounds_[static_cast<std::size_t>(file->currentIndex())]
                                                         : text::Bytes();
  switch (action) {
    case kShowAnimation:
      animation_->play(folder_, db_.magic.animation[r]);
      break;
    case kListenDefault:
      if (sound_) sound_->playEffect(db_.magic.sound[r]);
      break;
    case kListenFile:
      if (sound_ && file->currentIndex() >= 0) sound_->playEffect(fileName);
      break;
    case kRegisterSound:
      if (playerSounds_->currentRow() >= 0 && file->currentIndex() >= 0)
        editors::registerPlayerSound(db_, record_, playerSounds_->currentRow(), fileName);
      break;
    case kAllDefault:
      editors::setAllPlayerSoundsToDefault(db_, record_);
      break;
    default:
      break;
  }
}

void MagicDialog::display() {
  const auto r = static_cast<std::size_t>(record_);
  control<QLineEdit>(QStringLiteral("EDIT_NO"))->setText(QString::number(record_));
  fields_.display(record_);
  names_.display(record_);
  effect_->show(db_.magic.effect[r], db_.magic.potency[r]);
  const int row = playerSounds_->currentRow();
  playerSounds_->clear();
  for (const auto& line : editors::playerSoundRows(db_, record_)) playerSounds_->addItem(ui::toQString(line));
  if (row >= 0 && row < playerSounds_->count()) playerSounds_->setCurrentRow(row);
}

bool MagicDialog::commit() {
  const auto r = static_cast<std::size_t>(record_);
  const bool ok = fields_.commit(record_);
  names_.commit(record_);
  // The power is a field only while the head takes one (its box is editable then).
  if (auto power = effect_->typedPower()) db_.magic.potency[r] = *power;
  db_.magic.effect[r] = editors::composeMagicEffect(db_.magic.effect[r], effect_->input());
  return ok;
}

}  // namespace quillane::gui
