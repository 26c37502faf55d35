#include "core/map/start_marker.h"

#include <algorithm>
#include <array>

namespace quillane::map {

std::optional<StartMarker> placeStartMarker(MapDocument& map) {
  const event::MapEvents& events = map.events;
  if (map.startEvent < 0 || map.startEvent > events.lastNumber ||
      map.startEvent >= static_cast<int>(events.records.size()))
    return std::nullopt;
  const event::EventRecord& start = events.records[static_cast<std::size_t>(map.startEvent)];
  const int width = std::clamp(map.width, 1, kGridSize);
  const int height = std::clamp(map.height, 1, kGridSize);
  const int oldX = map.xAdd, oldY = map.yAdd;

  if (start.x + map.xAdd < 0) map.xAdd = 0;
  if (start.x + map.xAdd > width - 1) map.xAdd = width - 1 - start.x;
  if (start.y + map.yAdd < 0) map.yAdd = 0;
  if (start.y + map.yAdd > height - 1) map.yAdd = height - 1 - start.y;

  auto inMap = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height; };
  auto occupied = [&](int x, int y) {
    return TileLayer::inGrid(y, x) && events.grid.at(x, y).hasEvent();
  };
  int x = start.x + map.xAdd, y = start.y + map.yAdd;
  if (inMap(x, y) && occupied(x, y)) {
    for (int d = 1; d < std::max(width, height); ++d) {
      const std::array<CellPos, 4> tests = {{{y, x + d}, {y, x - d}, {y + d, x}, {y - d, x}}};
      std::optional<CellPos> free;
      for (const CellPos& t : tests)
        if (inMap(t.col, t.row) && !occupied(t.col, t.row)) free = t;
      if (free) {
        map.xAdd += free->col - x;
        map.yAdd += free->row - y;
        x = free->col;
        y = free->row;
        break;
      }
    }
  }
  StartMarker marker;
  marker.cell = {y, x};
  marker.addsChanged = map.xAdd != oldX || map.yAdd != oldY;
  return marker;
}

}  // namespace quillane::map
