#pragma once
// "オブジェクト": one object of the open map's object table: its four animation frames
// (ground tiles, drawn beside their boxes), the event it starts on contact and its
// animation speed. "参照" hides the dialog while the designer picks the tile of frame
// 2, 3 or 4 in the main window; "ｷｬﾝｾﾙ" puts back all objects as they were when the
// dialog first opened.
#include <QImage>
#include <array>

#include "core/editors/object_editing.h"
#include "gui/event/flag_map_picker.h"
#include "gui/ui/form.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quillane::gui {

class TilePreview;

class ObjectDialog : public ui::Form {
  Q_OBJECT
 public:
  enum Code {
    kOk = 1,
    kCancel = 2,
    kDelete = 3,
    kDeleteAll = 4,
    kAnimate = 5,
    kBrowse = 10,  // 10 + frame (1..3): "参照" of frames 2, 3, 4
  };

  // Opens object `number` (a new object is initialised with `character`). `work` is the
  // ground tile work bitmap (512 × 1536, banks stacked) the frames are drawn from.
  // Without a picker the "参照" buttons are disabled.
  ObjectDialog(editors::Objects& objects, int number, const event::MapEvents& events, const QImage& work,
               bool splitChips, const text::Bytes& character, FlagMapPicker* picker, QWidget* parent = nullptr);

  // Runs until "OK" or "ｷｬﾝｾﾙ"; true when "OK" kept a table that differs from the one
  // the dialog opened with.
  bool run();
  bool handle(int code);

  int number() const { return number_; }
  bool animating() const { return animating_; }

 private:
  void build();
  void display();
  void drawFrames();
  bool commit();
  void browse(int frame);
  void animate();

  editors::Objects& objects_;
  editors::Objects backup_;
  int number_;
  const event::MapEvents& events_;
  const QImage& work_;
  bool split_;
  FlagMapPicker* picker_;
  bool accepted_ = false;
  bool animating_ = false;
  bool eventTouched_ = false;
  bool speedTouched_ = false;

  QLineEdit* numberBox_ = nullptr;                 // "オブジェクトNo."
  std::array<QLineEdit*, editors::kObjectFrames> frames_{};
  std::array<TilePreview*, editors::kObjectFrames> previews_{};
  TilePreview* animation_ = nullptr;
  QComboBox* event_ = nullptr;                     // "接触時発生イベント"
  QComboBox* speed_ = nullptr;                     // "アニメーション速度"
};

}  // namespace quillane::gui
