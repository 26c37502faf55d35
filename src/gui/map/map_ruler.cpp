#include "gui/map/map_ruler.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "gui/map/map_view.h"

namespace quillane::gui {

MapRuler::MapRuler(Qt::Orientation orientation, const MapView& view, QWidget* cover, QWidget* parent)
    : QWidget(parent), orientation_(orientation), view_(view), cover_(cover) {
  setObjectName(orientation == Qt::Horizontal ? QStringLiteral("MAPRULER_H") : QStringLiteral("MAPRULER_V"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  connect(&view, &MapView::changed, this, qOverload<>(&QWidget::update));
  if (cover) cover->installEventFilter(this);
}

bool MapRuler::showing() const {
  if (!view_.ruler() || view_.wholeMap()) return false;
  // The message panel over the whole view (a dialog mode, the list chooser) hides the
  // map, and so the numbers; a one-line note over the map does not.
  return !(cover_ && cover_->isVisible() && cover_->geometry().contains(view_.geometry()));
}

bool MapRuler::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cover_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide ||
                            event->type() == QEvent::Resize || event->type() == QEvent::Move))
    update();
  return false;
}

void MapRuler::paintEvent(QPaintEvent*) {
  if (!showing()) return;
  const bool across = orientation_ == Qt::Horizontal;
  const double s = view_.cellSize();
  const int first = across ? view_.scrollColumn() : view_.scrollRow();
  const int shown = across ? view_.visibleColumns() : view_.visibleRows();
  const int mapCells = across ? view_.mapColumns() : view_.mapRows();
  const int cells = std::max(0, std::min(shown, mapCells - first));
  // The ruler's own offset from the view's edge along its length.
  const double origin = across ? view_.x() - x() : view_.y() - y();
  QPainter p(this);
  QFont f = font();
  f.setPixelSize(9);
  p.setFont(f);
  p.setPen(palette().color(QPalette::WindowText));
  // Numbers only where they fit: every k-th cell.
  const int every = std::max(1, static_cast<int>(std::ceil(18.0 / s)));
  for (int i = 0; i <= cells; ++i) {
    const double at = origin + i * s;
    if (across)
      p.drawLine(QPointF(at, 0), QPointF(at, 3));
    else
      p.drawLine(QPointF(0, at), QPointF(3, at));
    if (i == cells || (first + i) % every != 0) continue;
    const QString number = QString::number(first + i);
    if (across)
      p.drawText(QRectF(at + 1, 0, std::max(s, 18.0), height()), Qt::AlignLeft | Qt::AlignVCenter, number);
    else
      p.drawText(QRectF(3, at, width() - 3, std::max(s, 10.0)), Qt::AlignLeft | Qt::AlignTop, number);
  }
}

}  // namespace quillane::gui
