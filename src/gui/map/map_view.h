#pragma once
// The 480 × 480 map view: a scaled copy (nearest neighbour) of the visible part of the
// canvas image, with grid lines, the coordinate ruler, the whole-map picture and the
// current tool's overlay. Mouse input goes to the host's tool as CanvasPoints.
#include <QWidget>
#include <QImage>
#include <functional>
#include <vector>

#include "gui/map/canvas_tool.h"

namespace quillane::gui {

class MapCanvas;

inline constexpr int kViewSize = 480;

class MapView : public QWidget {
  Q_OBJECT
 public:
  MapView(const MapCanvas& canvas, QWidget* parent = nullptr);

  void setZoom(double percent);
  double zoom() const { return zoom_; }
  double cellSize() const;  // s
  int visibleCells() const; // n = 480 / s

  void setScroll(int column, int row);
  int scrollColumn() const { return scrollColumn_; }
  int scrollRow() const { return scrollRow_; }
  int maxScrollColumn() const;
  int maxScrollRow() const;

  void setGrid(bool on);
  bool grid() const { return grid_; }
  void setRuler(bool on);
  bool ruler() const { return ruler_; }
  // The whole-map picture: shown until the next command or click.
  void setWholeMap(bool on);
  bool wholeMap() const { return whole_; }

  // Paints the view (used by paintEvent and by the benchmarks).
  void render(QPainter& painter) const;
  // The view's picture without the tool overlay: the visible cells scaled from the
  // canvas image by nearest neighbour (rows and columns picked by table, no tile drawn),
  // then grid lines and ruler. `frame` is 480 × 480, RGB32.
  void composeFrame(QImage& frame) const;
  // The cell under a view position, with the clamping rules of the Ｘ/Ｙ fields.
  CanvasPoint pointAt(QPoint viewPos) const;

  // Receives mouse input: kind 0 press, 1 move, 2 release.
  std::function<void(int kind, const CanvasPoint&)> onMouse;
  // Paints the current tool's overlay.
  std::function<void(QPainter&, double cell)> onOverlay;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void mouse(int kind, QMouseEvent* event);
  void renderWhole(QPainter& painter) const;
  void renderRuler(QPainter& painter) const;

  const MapCanvas& canvas_;
  mutable QImage frame_;
  mutable std::vector<int> sourceX_;
  double zoom_ = 75;
  int scrollColumn_ = 0;
  int scrollRow_ = 0;
  bool grid_ = false;
  bool ruler_ = false;
  bool whole_ = false;
};

}  // namespace quillane::gui
