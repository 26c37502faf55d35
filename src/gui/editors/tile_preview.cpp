#include "gui/editors/tile_preview.h"

#include <QPainter>

namespace quillane::gui {

TilePreview::TilePreview(const QString& name, int side, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setFixedSize(side, side);
}

void TilePreview::showTile(const QImage& sheet, const QRect& source) {
  shown_ = source.isNull() || !sheet.rect().contains(source) ? QImage() : sheet.copy(source);
  update();
}

void TilePreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().base());
  if (!shown_.isNull()) {
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(rect(), shown_);
  }
  p.setPen(palette().mid().color());
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace quillane::gui
