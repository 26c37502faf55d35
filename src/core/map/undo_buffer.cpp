#include "core/map/undo_buffer.h"

#include <algorithm>

namespace quillane::map {

ChangedCells UndoBuffer::undo(TileLayer& layer, MapExtent extent) {
  ChangedCells changes;
  int height = std::clamp(extent.height, 0, kGridSize);
  int width = std::clamp(extent.width, 0, kGridSize);
  for (int r = 0; r < height; ++r) {
    const TileCode* now = layer.row(r);
    const TileCode* before = saved_.row(r);
    for (int c = 0; c < width; ++c)
      if (!(now[c] == before[c])) changes.add(r, c);
  }
  layer.swap(saved_);
  return changes;
}

}  // namespace quillane::map
