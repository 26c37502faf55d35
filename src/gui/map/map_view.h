#pragma once
// The map view (480 × 480 at the window's default size, larger when the window grows): a
// scaled copy (nearest neighbour) of the visible part of the canvas image, with grid
// lines, the whole-map picture and the current tool's overlay. The coordinate ruler is
// drawn beside the view by MapRuler, so it covers no cell. Mouse input goes to the
// host's tool as CanvasPoints; the middle button drags the view; the wheel goes to the
// window.
#include <QWidget>
#include <QImage>
#include <algorithm>
#include <functional>
#include <vector>

#include "core/map/view_geometry.h"
#include "gui/map/canvas_tool.h"

namespace quillane::gui {

class MapCanvas;

inline constexpr int kViewSize = 480;  // the view's size at the window's default size

class MapView : public QWidget {
  Q_OBJECT
 public:
  MapView(const MapCanvas& canvas, QWidget* parent = nullptr);

  void setZoom(double percent);
  double zoom() const { return zoom_; }
  double cellSize() const;  // s
  // The whole cells shown across and down: 480 / s each in the default view.
  int visibleColumns() const;
  int visibleRows() const;
  // The side of the square of cells the view shows whole (n = 480 / s by default).
  int visibleCells() const { return std::min(visibleColumns(), visibleRows()); }
  map::ViewArea area() const { return {width(), height()}; }

  void setScroll(int column, int row);
  int scrollColumn() const { return scrollColumn_; }
  int scrollRow() const { return scrollRow_; }
  int maxScrollColumn() const;
  int mapColumns() const;  // the map's width and height as the canvas holds them
  int mapRows() const;
  int maxScrollRow() const;

  void setGrid(bool on);
  bool grid() const { return grid_; }
  // Whether the coordinate ruler beside the view is shown.
  void setRuler(bool on);
  bool ruler() const { return ruler_; }
  // The whole-map picture: shown until the next command or click.
  void setWholeMap(bool on);
  bool wholeMap() const { return whole_; }

  // Paints the view (used by paintEvent and by the benchmarks).
  void render(QPainter& painter) const;
  // The view's picture without the tool overlay: the visible cells scaled from the
  // canvas image by nearest neighbour (rows and columns picked by table, no tile drawn),
  // then grid lines. `frame` has the view's size, RGB32.
  void composeFrame(QImage& frame) const;
  // The cell under a view position, with the clamping rules of the Ｘ/Ｙ fields.
  CanvasPoint pointAt(QPoint viewPos) const;

  // Receives mouse input: kind 0 press, 1 move, 2 release.
  std::function<void(int kind, const CanvasPoint&)> onMouse;
  // The wheel over the view: the position and the event (the window scrolls or zooms).
  std::function<void(QPoint at, QWheelEvent* event)> onWheel;
  // The view scrolled itself (a drag with the middle button).
  std::function<void()> onScrolled;
  // Paints the current tool's overlay.
  std::function<void(QPainter&, double cell)> onOverlay;

 signals:
  // Scroll, zoom, size, ruler or whole-map picture changed (the ruler follows).
  void changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void mouse(int kind, QMouseEvent* event);
  bool pan(int kind, QMouseEvent* event);
  void renderWhole(QPainter& painter) const;

  const MapCanvas& canvas_;
  mutable QImage frame_;
  mutable std::vector<int> sourceX_;
  double zoom_ = 75;
  int scrollColumn_ = 0;
  int scrollRow_ = 0;
  bool grid_ = false;
  bool ruler_ = false;
  bool whole_ = false;
  bool panning_ = false;
  QPoint panFrom_;        // where the middle button went down
  QPoint panScroll_;      // the scroll (column, row) then
};

}  // namespace quillane::gui
