#pragma once
// The item and weapon dialog ("道具・武器モード"): one record of the ItemTable at a
// time, its effect code composed from target, power and effect, its animation preview
// and sounds, and, while "武器" is ticked, the ArmsTable record it is linked to with the
// players allowed to equip it. Every action commits at once; "ｷｬﾝｾﾙ" restores the copies
// of the last (re)entry; after every action but "OK", "▲" and "▼" all is shown again.
#include <filesystem>
#include <memory>
#include <vector>

#include "core/data/project_database.h"
#include "core/editors/record_choice.h"
#include "gui/editors/field_binding.h"
#include "gui/editors/record_form_parts.h"
#include "gui/ui/form.h"

class QCheckBox;
class QListWidget;

namespace quillane::media {
class SoundPreview;
}

namespace quillane::gui {

class AnimationPlayer;
class CanvasPreview;
class EffectControls;

class ItemDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Action {
    kShowAnimation = kRecordOwn,
    kListenUse,
    kListenAttack,
    kRegisterPlayer,
    kDeletePlayer,
    kRedisplay,  // "対象", "効果" or "武器" changed
  };

  // `sound` may be null (no sound preview).
  ItemDialog(data::ProjectDatabase& db, std::filesystem::path projectFolder, media::SoundPreview* sound,
             QWidget* parent = nullptr);
  ~ItemDialog() override;

  editors::RecordOutcome run(int record);

  CanvasPreview* preview() const { return preview_; }
  AnimationPlayer* animation() const { return animation_.get(); }

 private:
  void build();
  QWidget* buildItemFields();
  QWidget* buildWeaponFields();
  void bind();
  void enter();
  void display();
  bool commit();
  void displayWeapon();
  void handle(int action);

  data::ProjectDatabase& db_;
  std::filesystem::path folder_;
  media::SoundPreview* sound_;
  int record_ = 0;
  data::ItemTable itemsCopy_;
  data::ArmsTable armsCopy_;
  data::PlayerTable playersCopy_;
  std::vector<text::Bytes> sounds_;
  std::vector<text::Bytes> animations_;
  FieldBinding itemFields_;
  FieldBinding armsFields_;
  NameSelectors itemNames_;
  NameSelectors armsNames_;
  std::unique_ptr<EffectControls> effect_;
  CanvasPreview* preview_ = nullptr;
  std::unique_ptr<AnimationPlayer> animation_;
  QWidget* body_ = nullptr;
  QCheckBox* weapon_ = nullptr;
  QListWidget* players_ = nullptr;
  QListWidget* permitted_ = nullptr;
};

}  // namespace quillane::gui
