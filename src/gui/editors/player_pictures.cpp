#include "gui/editors/player_pictures.h"

#include <QPainter>

namespace quillane::gui {

namespace {
constexpr int kCell = 32;
constexpr int kFrames = 4;
}  // namespace

CachedPicture::CachedPicture(const QString& objectName, QSize size, QWidget* parent) : QWidget(parent) {
  setObjectName(objectName);
  setFixedSize(size);
  picture_ = QImage(size, QImage::Format_RGB32);
  picture_.fill(Qt::white);
}

void CachedPicture::setPicture(const QImage& image) {
  if (image.isNull()) return;
  picture_ = image.size() == size() ? image : image.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  update();
}

void CachedPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QImage characterFrames(const QImage& sheet, int number, int pattern) {
  QImage frames(kCell, kCell * kFrames, QImage::Format_RGB32);
  frames.fill(Qt::white);
  if (number < 0 || sheet.isNull()) return frames;
  QPainter p(&frames);
  const int column = number % 16 + pattern;
  const int row = number / 16;
  for (int k = 0; k < kFrames; ++k) {
    const QRect cell(column * kCell, (row + k) * kCell, kCell, kCell);
    if (column < 16 && sheet.rect().contains(cell)) p.drawImage(QPoint(0, k * kCell), sheet, cell);
  }
  return frames;
}

int characterNumber(const QString& text) {
  bool ok = false;
  const int n = text.trimmed().toInt(&ok, 16);
  return ok && n >= 0 && n < 0x10000 ? n : -1;
}

}  // namespace quillane::gui
