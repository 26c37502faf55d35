#pragma once
// The magic dialog ("魔法モード"), the item dialog's twin: texts, MP cost, power as a
// field of its own, target and effect composed into the effect code (no "なし" target),
// attribute, animation with its preview, three flags, a default sound and one sound
// per player ("効果音設定").
#include "core/editors/record_copies.h"
#include "gui/editors/twin_dialog.h"

class QListWidget;

namespace quillane::gui {

class MagicDialog : public TwinRecordDialog {
  Q_OBJECT
 public:
  enum Action {
    kListenDefault = kTwinOwn,
    kListenFile,
    kRegisterSound,
    kAllDefault,
  };

  // `sound` may be null (no sound preview).
  MagicDialog(data::ProjectDatabase& db, std::filesystem::path projectFolder, media::SoundPreview* sound,
              QWidget* parent = nullptr);

 private:
  QWidget* buildMagicFields();
  QWidget* buildSoundFields();
  void bind();
  // The parts of entering, cancelling, showing, committing and handling of this dialog.
  void enter() override;
  void restore() override;
  void displayOwn() override;
  bool commitOwn() override;
  void handleOwn(int action) override;

  editors::RecordCopies<data::MagicTable> copy_;
  NameSelectors fileSound_;  // "ファイル名": a sound to register, bound to no field
  QListWidget* playerSounds_ = nullptr;
};

}  // namespace quillane::gui
