#include "core/map/view_geometry.h"

#include <algorithm>
#include <cmath>

namespace quillane::map {
namespace {

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

std::size_t zoomIndex(double zoom) {
  double z = snapZoom(zoom);
  return static_cast<std::size_t>(std::find(kZoomSteps.begin(), kZoomSteps.end(), z) - kZoomSteps.begin());
}

}  // namespace

double snapZoom(double zoom) {
  if (!(zoom > 0)) return 75;
  double best = kZoomSteps[0];
  for (double z : kZoomSteps)
    if (std::fabs(z - zoom) < std::fabs(best - zoom)) best = z;
  return best;
}

std::optional<double> zoomInStep(double zoom) {
  std::size_t i = zoomIndex(zoom);
  if (i + 1 >= kZoomSteps.size()) return std::nullopt;
  return kZoomSteps[i + 1];
}

std::optional<double> zoomOutStep(double zoom) {
  std::size_t i = zoomIndex(zoom);
  if (i == 0) return std::nullopt;
  return kZoomSteps[i - 1];
}

int cellPixels(double zoom) { return static_cast<int>(std::lround(32 * snapZoom(zoom) / 100)); }
int cellsShown(double zoom, int pixels) { return std::max(0, pixels) / cellPixels(zoom); }
int scrollMaximum(int mapCells, int shown) { return std::max(0, mapCells - shown); }

MapViewHit mapCellAt(int x, int y, double zoom, int hscroll, int vscroll, int mapWidth, int mapHeight,
                     ViewArea area) {
  int s = cellPixels(zoom);
  int columns = std::max(1, cellsShown(zoom, area.width));
  int rows = std::max(1, cellsShown(zoom, area.height));
  MapViewHit hit;
  int viewCol = floorDiv(x, s), viewRow = floorDiv(y, s);
  hit.cell = {vscroll + viewRow, hscroll + viewCol};
  // Only whole cells are shown; what is left over at the right and bottom is no cell.
  bool inView = x >= 0 && y >= 0 && x < columns * s && y < rows * s;
  hit.onMap = inView && hit.cell.row >= 0 && hit.cell.col >= 0 && hit.cell.row < mapHeight &&
              hit.cell.col < mapWidth;
  int col = hscroll + std::clamp(viewCol, 0, columns - 1);
  int row = vscroll + std::clamp(viewRow, 0, rows - 1);
  hit.clamped = {std::clamp(row, 0, std::max(0, mapHeight - 1)), std::clamp(col, 0, std::max(0, mapWidth - 1))};
  return hit;
}

int scrollKeepingCell(int cell, int pointer, double newZoom) {
  return cell - floorDiv(pointer, cellPixels(newZoom));
}

WholeMapRect wholeMapRect(int mapWidth, int mapHeight, ViewArea area) {
  WholeMapRect rect;
  if (mapWidth <= 0 || mapHeight <= 0) return rect;
  rect.cell = std::min(static_cast<double>(area.width) / mapWidth, static_cast<double>(area.height) / mapHeight);
  rect.width = rect.cell * mapWidth;
  rect.height = rect.cell * mapHeight;
  rect.x = (area.width - rect.width) / 2;
  rect.y = (area.height - rect.height) / 2;
  return rect;
}

}  // namespace quillane::map
