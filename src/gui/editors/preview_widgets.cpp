#include "gui/editors/preview_widgets.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

#include "core/editors/animation_names.h"
#include "core/editors/record_previews.h"
#include "gui/ui/bitmaps.h"

namespace quillane::gui {

CanvasPreview::CanvasPreview(const QString& objectName, QRect place, QWidget* parent) : QWidget(parent) {
  setObjectName(objectName);
  setGeometry(place);
  setFixedSize(place.size());
}

void CanvasPreview::showCanvas(const QImage& canvas) {
  canvas_ = canvas;
  scaled_ = canvas.isNull() ? QImage()
                            : canvas.scaled(size() * devicePixelRatioF(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  scaled_.setDevicePixelRatio(devicePixelRatioF());
  update();
}

void CanvasPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (!scaled_.isNull()) painter.drawImage(0, 0, scaled_);
}

QImage enemyBand(const std::optional<QImage>& picture, double size, double unit) {
  QImage band(editors::kEnemyBandWidth, editors::kEnemyBandHeight, QImage::Format_RGB32);
  band.fill(Qt::black);
  if (!picture) return band;
  const editors::PreviewPlacement p = editors::enemyPlacement(size, unit);
  if (p.sourceWidth <= 0) return band;
  QPainter painter(&band);
  // Unscaled: the top-left region of the picture, as wide as the enemy's size.
  painter.drawImage(QPoint(p.left, p.top), *picture, QRect(0, 0, p.sourceWidth, p.sourceHeight));
  return band;
}

AnimationPlayer::AnimationPlayer(CanvasPreview* preview, QWidget* controls, int frameMilliseconds)
    : preview_(preview), controls_(controls) {
  timer_.setInterval(frameMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &AnimationPlayer::showNextFrame);
}

void AnimationPlayer::play(const std::filesystem::path& projectFolder, const text::Bytes& name) {
  if (loop_) return;
  folder_ = projectFolder;
  name_ = name;
  next_ = 0;
  frames_ = 0;
  controls_->setEnabled(false);
  qApp->installEventFilter(this);
  QEventLoop loop;
  loop_ = &loop;
  showNextFrame();
  if (loop_) {
    timer_.start();
    loop.exec();
  }
  loop_ = nullptr;
  qApp->removeEventFilter(this);
  controls_->setEnabled(true);
}

void AnimationPlayer::stop() {
  timer_.stop();
  if (loop_) loop_->quit();
  loop_ = nullptr;
}

void AnimationPlayer::showNextFrame() {
  const auto frame = ui::projectBitmap(folder_, "GRP", editors::animationFrameStem(name_, next_), ".bmp");
  if (!frame) {
    stop();
    return;
  }
  QImage canvas(editors::kAnimationWidth, editors::kAnimationHeight, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  const editors::PreviewPlacement p = editors::animationPlacement(frame->width(), frame->height());
  QPainter painter(&canvas);
  painter.drawImage(QPoint(p.left, p.top), *frame);
  painter.end();
  preview_->showCanvas(canvas);
  ++next_;
  ++frames_;
}

bool AnimationPlayer::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    stop();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quillane::gui
