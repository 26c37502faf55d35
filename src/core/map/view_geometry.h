#pragma once
// Geometry of the map view: zoom steps, cell size, cells shown, scroll ranges, the cell
// under the mouse, zooming around a cell, and the whole-map picture. The view is 480 × 480 at the window's default size and grows with
// the window; every rule below takes the view's size, 480 × 480 unless given.
#include <array>
#include <optional>

#include "core/map/cell_changes.h"

namespace quillane::map {

inline constexpr int kViewPixels = 480;
// Zoom in percent, smallest first; "拡大≫" moves right, "≪縮小" left.
inline constexpr std::array<double, 7> kZoomSteps = {25, 31.25, 37.5, 50, 62.5, 75, 100};

// The view's size in pixels.
struct ViewArea {
  int width = kViewPixels;
  int height = kViewPixels;
  friend bool operator==(const ViewArea&, const ViewArea&) = default;
};

// The nearest zoom of the list; 75 for a value that is not positive (or not a number).
double snapZoom(double zoom);
// The next step up or down; empty at 100 / 25 (the button is then disabled).
std::optional<double> zoomInStep(double zoom);
std::optional<double> zoomOutStep(double zoom);

// On-screen cell size s = 32 × zoom / 100 (32, 24, 20, 16, 12, 10, 8) and the whole
// cells that fit into `pixels`: n = 480 / s (15, 20, 24, 30, 40, 48, 60) in the default
// view. The zoom is snapped first.
int cellPixels(double zoom);
int cellsShown(double zoom, int pixels = kViewPixels);
// Largest first visible column or row: map cells − n, 0 when the map is smaller.
int scrollMaximum(int mapCells, int shown);

// The cell under a press at (x, y) relative to the view's top-left corner in a view of
// `area` size.
struct MapViewHit {
  bool onMap = false;  // inside the view and the unclamped cell inside the map: tools act
  CellPos cell;        // the unclamped cell (meaningful when onMap)
  CellPos clamped;     // for the Ｘ / Ｙ fields: view cell clamped to 0..n−1, + scroll,
                       // clamped to the map
};
MapViewHit mapCellAt(int x, int y, double zoom, int hscroll, int vscroll, int mapWidth, int mapHeight,
                     ViewArea area = {});

// Zooming around the pointer: the first visible column (or row) that keeps map cell
// `cell` under the pointer at `pointer` pixels from the view's edge once the cell size
// is `newZoom`'s. Not clamped to the scroll range (the view clamps).
int scrollKeepingCell(int cell, int pointer, double newZoom);

// The whole-map view: the map scaled as large as the view holds it (in the square
// default view: its longer side fills 480 pixels), centred. Position and size in view
// pixels; `cell` is one cell's size.
struct WholeMapRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  double cell = 0;
};
WholeMapRect wholeMapRect(int mapWidth, int mapHeight, ViewArea area = {});

}  // namespace quillane::map
