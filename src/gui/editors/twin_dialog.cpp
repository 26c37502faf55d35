#include "gui/editors/twin_dialog.h"

#include <QComboBox>
#include <QLineEdit>

#include "core/editors/animation_names.h"
#include "core/editors/record_rows.h"
#include "core/map/map_properties_files.h"
#include "core/media/sound_preview.h"
#include "gui/editors/preview_widgets.h"
#include "gui/editors/twin_frame.h"

namespace quillane::gui {

TwinRecordDialog::TwinRecordDialog(const QString& objectName, const QString& title, data::ProjectDatabase& db,
                                   std::filesystem::path projectFolder, media::SoundPreview* sound, QWidget* parent)
    : ui::Form(objectName, title, kRecordCancel, parent),
      db_(db),
      folder_(std::move(projectFolder)),
      sounds_([this] { return map::listStems(folder_, "WAV", "*.wav"); }),
      animations_([this] { return editors::animationNamesInFolder(folder_); }),
      sound_(sound) {}

TwinRecordDialog::~TwinRecordDialog() = default;

void TwinRecordDialog::buildFrame(QWidget* ownFields, std::initializer_list<QWidget*> right,
                                  EffectControls::Kind kind) {
  TwinFrame frame = buildTwinFrame(this, ownFields, right, kind, kShowAnimation, kRedisplay);
  body_ = frame.body;
  preview_ = frame.preview;
  effect_ = std::move(frame.effect);
  animation_ = std::make_unique<AnimationPlayer>(preview_, body_);
}

editors::RecordOutcome TwinRecordDialog::run(int record) {
  record_ = record;
  // The folders are read again at the first use after every (re)entry.
  sounds_.forget();
  animations_.forget();
  fillRows(control<QComboBox>(QStringLiteral("COMBO_ATTRIBUTE")), editors::attributeRows(db_.scenery));
  preview_->showCanvas(QImage());  // no frame of another record's animation
  enter();
  display();
  return runRecordLoop(*this, control<QLineEdit>(QStringLiteral("EDIT_TEXT0")),
                       {[this] { restore(); }, [this] { return commit(); },
                        [this](int action) {
                          if (action == kShowAnimation)
                            animation_->play(folder_, animationName_(record_));
                          else
                            handleOwn(action);
                        },
                        [this] { display(); }});
}

void TwinRecordDialog::display() {
  control<QLineEdit>(QStringLiteral("EDIT_NO"))->setText(QString::number(record_));
  fields_.display(record_);
  names_.display(record_);
  displayOwn();
}

bool TwinRecordDialog::commit() {
  const bool ok = fields_.commit(record_);
  names_.commit(record_);
  return commitOwn() && ok;
}

void TwinRecordDialog::listen(const text::Bytes& name) {
  if (sound_) sound_->playEffect(name);
}

}  // namespace quillane::gui
