#pragma once
// The item and weapon dialog ("道具・武器モード"): one record of the ItemTable at a
// time, its effect code composed from target, power and effect, its animation preview
// and sounds, and, while "武器" is ticked, the ArmsTable record it is linked to with the
// players allowed to equip it. Every action commits at once; "ｷｬﾝｾﾙ" restores the copies
// of the last (re)entry; after every action but "OK", "▲" and "▼" all is shown again.
#include "core/editors/record_copies.h"
#include "gui/editors/twin_dialog.h"

class QCheckBox;
class QListWidget;

namespace quillane::gui {

class ItemDialog : public TwinRecordDialog {
  Q_OBJECT
 public:
  enum Action {
    kListenUse = kTwinOwn,
    kListenAttack,
    kRegisterPlayer,
    kDeletePlayer,
  };

  // `sound` may be null (no sound preview).
  ItemDialog(data::ProjectDatabase& db, std::filesystem::path projectFolder, media::SoundPreview* sound,
             QWidget* parent = nullptr);

 private:
  QWidget* buildItemFields();
  QWidget* buildWeaponFields();
  void bind();
  // The parts of entering, cancelling, showing, committing and handling of this dialog.
  void enter() override;
  void restore() override;
  void displayOwn() override;
  bool commitOwn() override;
  void handleOwn(int action) override;
  void displayWeapon();

  editors::ItemEntryCopies copies_;
  FieldBinding armsFields_;
  NameSelectors armsNames_;
  QCheckBox* weapon_ = nullptr;
  QListWidget* players_ = nullptr;
  QListWidget* permitted_ = nullptr;
};

}  // namespace quillane::gui
