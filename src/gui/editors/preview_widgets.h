#pragma once
// The previews of the record dialogs: a canvas of the battle screen's width drawn once
// into a cached image and shown scaled at its place in the dialog; the enemy standing on
// the battle band; and the item and magic animations played frame by frame on a timer.
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>

#include "core/text/cp932.h"

class QEventLoop;

namespace quillane::gui {

// A child widget at its fixed place that paints a cached canvas scaled to its size.
class CanvasPreview : public QWidget {
  Q_OBJECT
 public:
  CanvasPreview(const QString& objectName, QRect place, QWidget* parent);
  void showCanvas(const QImage& canvas);
  const QImage& canvas() const { return canvas_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage canvas_;
  QImage scaled_;
};

// The 640 x 268 band with the enemy picture standing on it (blank when the picture is
// missing or the size draws nothing).
QImage enemyBand(const std::optional<QImage>& picture, double size, double unit);

// Plays GRP\<name>_0.bmp, _1.bmp, ... onto a preview until the first frame that cannot
// be loaded, one frame a tick; Escape stops it. While it plays the dialog's controls
// are disabled, so no other action is taken.
class AnimationPlayer : public QObject {
  Q_OBJECT
 public:
  AnimationPlayer(CanvasPreview* preview, QWidget* controls, int frameMilliseconds = 100);
  // Plays the animation and returns when it has ended.
  void play(const std::filesystem::path& projectFolder, const text::Bytes& name);
  bool playing() const { return loop_ != nullptr; }
  int framesShown() const { return frames_; }
  void stop();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showNextFrame();

  CanvasPreview* preview_;
  QWidget* controls_;
  QTimer timer_;
  std::filesystem::path folder_;
  text::Bytes name_;
  int next_ = 0;
  int frames_ = 0;
  QEventLoop* loop_ = nullptr;
};

}  // namespace quillane::gui
