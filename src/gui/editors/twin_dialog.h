#pragma once
// What the item and magic dialogs have in common: the frame (own fields, animation
// preview, effect controls), the fields both tables have and bind alike, the sound and
// animation name lists (read when a selector first needs them), "表示" and the record
// loop. Each dialog adds its own fields, copies for "ｷｬﾝｾﾙ" and actions.
#include <filesystem>
#include <initializer_list>
#include <memory>

#include "core/data/project_database.h"
#include "core/editors/record_choice.h"
#include "gui/editors/effect_controls.h"
#include "gui/editors/field_binding.h"
#include "gui/editors/record_form_parts.h"
#include "gui/ui/form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace quillane::media {
class SoundPreview;
}

namespace quillane::gui {

class AnimationPlayer;
class CanvasPreview;

class TwinRecordDialog : public ui::Form {
  Q_OBJECT
 public:
  enum TwinAction {
    kShowAnimation = kRecordOwn,
    kRedisplay,  // "対象" or "効果" changed (the item dialog: "武器" too)
    kTwinOwn,    // each dialog numbers its own actions from here
  };
  ~TwinRecordDialog() override;

  editors::RecordOutcome run(int record);

  CanvasPreview* preview() const { return preview_; }
  AnimationPlayer* animation() const { return animation_.get(); }

 protected:
  // `sound` may be null (no sound preview).
  TwinRecordDialog(const QString& objectName, const QString& title, data::ProjectDatabase& db,
                   std::filesystem::path projectFolder, media::SoundPreview* sound, QWidget* parent);

  // Builds the frame around `ownFields` (made with twinFieldsGrid) and `right`.
  void buildFrame(QWidget* ownFields, std::initializer_list<QWidget*> right, EffectControls::Kind kind);

  // Binds the columns both tables have: the texts `texts` (text k to EDIT_TEXTk), the hit rate,
  // event label, attribute, display position, whole-screen flag and animation name.
  template <class Table>
  void bindShared(Table& t, std::initializer_list<std::size_t> texts) {
    for (std::size_t k : texts)
      fields_.text(control<QLineEdit>(QStringLiteral("EDIT_TEXT") + QString::number(k)), element(t.text, k));
    fields_.number(control<QLineEdit>(QStringLiteral("EDIT_HIT")), column(t.hitRate));
    fields_.text(control<QLineEdit>(QStringLiteral("EDIT_EVENT")), column(t.eventLabel));
    fields_.selector(control<QComboBox>(QStringLiteral("COMBO_ATTRIBUTE")), column(t.attribute),
                     editors::IndexRule::Plain);
    fields_.selector(control<QComboBox>(QStringLiteral("COMBO_POSITION")), column(t.displayPosition),
                     editors::IndexRule::Plain);
    fields_.check(control<QCheckBox>(QStringLiteral("CHECK_WHOLE")), column(t.wholeScreen));
    animationName_ = column(t.animation);
    names_.add(control<QComboBox>(QStringLiteral("COMBO_ANIMATION")), animationName_, &animations_);
  }

  // Plays a sound effect when there is a sound preview.
  void listen(const text::Bytes& name);

  // What each dialog adds to entering, showing, committing and handling a record.
  virtual void enter() = 0;    // take the copies "ｷｬﾝｾﾙ" restores
  virtual void restore() = 0;  // "ｷｬﾝｾﾙ"
  virtual void displayOwn() = 0;
  virtual bool commitOwn() = 0;  // false: something was refused
  virtual void handleOwn(int action) = 0;

  data::ProjectDatabase& db_;
  std::filesystem::path folder_;
  int record_ = 0;
  NameList sounds_;
  NameList animations_;
  FieldBinding fields_;
  NameSelectors names_;
  std::unique_ptr<EffectControls> effect_;
  QWidget* body_ = nullptr;

 private:
  void display();
  bool commit();

  media::SoundPreview* sound_;
  FieldRef<text::Bytes> animationName_;
  CanvasPreview* preview_ = nullptr;
  std::unique_ptr<AnimationPlayer> animation_;
};

}  // namespace quillane::gui
