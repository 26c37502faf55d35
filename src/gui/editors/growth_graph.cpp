#include "gui/editors/growth_graph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace quillane::gui {

GrowthGraph::GrowthGraph(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PICTURE_GRAPH"));
  setFixedSize(editors::kGraphWidth, editors::kGraphHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  background_ = QImage(editors::kGraphWidth, editors::kGraphHeight, QImage::Format_RGB32);
  background_.fill(QColor(252, 252, 248));
  QPainter p(&background_);
  p.setPen(QColor(225, 225, 218));
  for (int y = editors::kGraphHeight / 4; y < editors::kGraphHeight; y += editors::kGraphHeight / 4)
    p.drawLine(0, y, editors::kGraphWidth, y);
  p.setPen(QColor(160, 160, 160));
  p.drawRect(0, 0, editors::kGraphWidth - 1, editors::kGraphHeight - 1);
  p.end();
  setPoints({});
}

void GrowthGraph::setPoints(const std::vector<editors::GraphPoint>& points) {
  // Drawn off-screen on a copy of the empty graph, then shown in one piece.
  picture_ = background_.copy();
  if (points.size() > 1) {
    QPolygon line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const auto& pt : points) line << QPoint(pt.x, pt.y);
    QPainter p(&picture_);
    p.setPen(QPen(QColor(30, 90, 200), 1));
    p.drawPolyline(line);
  }
  update();
}

void GrowthGraph::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

void GrowthGraph::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  const QPoint at = event->position().toPoint();
  emit pressed(at.x(), at.y());
}

void GrowthGraph::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
  const QPoint at = event->position().toPoint();
  emit dragged(at.x(), at.y());
}

void GrowthGraph::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
}

}  // namespace quillane::gui
