#pragma once
// The magic dialog ("魔法モード"), the item dialog's twin: texts, MP cost, power as a
// field of its own, target and effect composed into the effect code (no "なし" target),
// attribute, animation with its preview, three flags, a default sound and one sound
// per player ("効果音設定").
#include <filesystem>
#include <memory>
#include <vector>

#include "core/data/project_database.h"
#include "core/editors/record_choice.h"
#include "gui/editors/field_binding.h"
#include "gui/editors/record_form_parts.h"
#include "gui/ui/form.h"

class QListWidget;

namespace quillane::media {
class SoundPreview;
}

namespace quillane::gui {

class AnimationPlayer;
class CanvasPreview;
class EffectControls;

class MagicDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Action {
    kShowAnimation = kRecordOwn,
    kListenDefault,
    kListenFile,
    kRegisterSound,
    kAllDefault,
    kRedisplay,  // "対象" or "効果" changed
  };

  // `sound` may be null (no sound preview).
  MagicDialog(data::ProjectDatabase& db, std::filesystem::path projectFolder, media::SoundPreview* sound,
              QWidget* parent = nullptr);
  ~MagicDialog() override;

  editors::RecordOutcome run(int record);

  CanvasPreview* preview() const { return preview_; }

 private:
  void build();
  QWidget* buildMagicFields();
  QWidget* buildSoundFields();
  void bind();
  void display();
  bool commit();
  void handle(int action);

  data::ProjectDatabase& db_;
  std::filesystem::path folder_;
  media::SoundPreview* sound_;
  int record_ = 0;
  data::MagicTable copy_;
  std::vector<text::Bytes> sounds_;
  std::vector<text::Bytes> animations_;
  FieldBinding fields_;
  NameSelectors names_;
  std::unique_ptr<EffectControls> effect_;
  CanvasPreview* preview_ = nullptr;
  std::unique_ptr<AnimationPlayer> animation_;
  QWidget* body_ = nullptr;
  QListWidget* playerSounds_ = nullptr;
};

}  // namespace quillane::gui
