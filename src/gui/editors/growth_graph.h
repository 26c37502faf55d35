#pragma once
// The growth graph of the player dialog: 140 × 96 logical pixels painting a cached
// picture of the running value. A drag starts with a left press inside the area and ends
// with the release; every position of it is reported in the graph's own coordinates.
#include <QImage>
#include <QWidget>
#include <vector>

#include "core/editors/growth.h"

namespace quillane::gui {

class GrowthGraph : public QWidget {
  Q_OBJECT
 public:
  explicit GrowthGraph(QWidget* parent = nullptr);

  // Builds the picture off-screen and shows it in one piece.
  void setPoints(const std::vector<editors::GraphPoint>& points);
  const QImage& picture() const { return picture_; }
  bool dragging() const { return dragging_; }

 signals:
  void pressed(int x, int y);
  void dragged(int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage background_;  // the empty graph: grid lines and frame
  QImage picture_;
  bool dragging_ = false;
};

}  // namespace quillane::gui
