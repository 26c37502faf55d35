#pragma once
// Geometry of the 480 × 480 map view: zoom steps, cell size, cells shown, scroll
// ranges, the cell under the mouse, and the whole-map picture.
#include <array>
#include <optional>

#include "core/map/cell_changes.h"

namespace quillane::map {

inline constexpr int kViewPixels = 480;
// Zoom in percent, smallest first; "拡大≫" moves right, "≪縮小" left.
inline constexpr std::array<double, 7> kZoomSteps = {25, 31.25, 37.5, 50, 62.5, 75, 100};

// The nearest zoom of the list; 75 for a value that is not positive (or not a number).
double snapZoom(double zoom);
// The next step up or down; empty at 100 / 25 (the button is then disabled).
std::optional<double> zoomInStep(double zoom);
std::optional<double> zoomOutStep(double zoom);

// On-screen cell size s = 32 × zoom / 100 (32, 24, 20, 16, 12, 10, 8) and cells shown
// across and down n = 480 / s (15, 20, 24, 30, 40, 48, 60). The zoom is snapped first.
int cellPixels(double zoom);
int cellsShown(double zoom);
// Largest first visible column or row: map cells − n, 0 when the map is smaller.
int scrollMaximum(int mapCells, int shown);

// The cell under a press at (x, y) relative to the view's top-left corner.
struct MapViewHit {
  bool onMap = false;  // inside the view and the unclamped cell inside the map: tools act
  CellPos cell;        // the unclamped cell (meaningful when onMap)
  CellPos clamped;     // for the Ｘ / Ｙ fields: view cell clamped to 0..n−1, + scroll,
                       // clamped to the map
};
MapViewHit mapCellAt(int x, int y, double zoom, int hscroll, int vscroll, int mapWidth, int mapHeight);

// The whole-map view: the map scaled so that its longer side fills 480 pixels, the
// other side centred. Position and size in view pixels; `cell` is one cell's size.
struct WholeMapRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  double cell = 0;
};
WholeMapRect wholeMapRect(int mapWidth, int mapHeight);

}  // namespace quillane::map
