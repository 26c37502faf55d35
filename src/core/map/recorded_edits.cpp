#include "core/map/recorded_edits.h"

#include <algorithm>

namespace quillane::map {
namespace {

// The codes of the cells an edit can reach, taken before it: the area rows top..top +
// height − 1 and columns left..left + width − 1, clipped to the map.
class AreaBefore {
 public:
  AreaBefore(const TileLayer& layer, MapExtent extent, CellPos topLeft, int height, int width) {
    const int rows = std::clamp(extent.height, 0, kGridSize), cols = std::clamp(extent.width, 0, kGridSize);
    top_ = std::max(0, topLeft.row);
    left_ = std::max(0, topLeft.col);
    const int bottom = std::min(rows, topLeft.row + height), right = std::min(cols, topLeft.col + width);
    width_ = std::max(0, right - left_);
    for (int r = top_; r < bottom; ++r)
      codes_.insert(codes_.end(), layer.row(r) + left_, layer.row(r) + left_ + width_);
  }
  // The codes of row `row` from column `first` on.
  const TileCode* operator()(int row, int first) const {
    return codes_.data() + static_cast<std::size_t>(row - top_) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(first - left_);
  }

 private:
  int top_ = 0, left_ = 0, width_ = 0;
  std::vector<TileCode> codes_;
};

}  // namespace

ChangedCells recordedStamp(EditHistory& history, TileLayer& layer, LayerKind kind, MapExtent extent,
                           const Brush& brush, CellPos at) {
  const AreaBefore before(layer, extent, at, brush.height, brush.width);
  ChangedCells changes = stampBrush(layer, extent, brush, at);
  history.addToOpen(CellPatch::of(kind, layer, changes, before));
  return changes;
}

ChangedCells recordedPaste(EditHistory& history, TileLayer& ground, MapExtent extent, const CopyBuffer& block,
                           CellPos at) {
  const AreaBefore before(ground, extent, at, block.height, block.width);
  ChangedCells changes = pasteBlock(ground, extent, block, at);
  history.add(EditKind::Paste, CellPatch::of(LayerKind::Ground, ground, changes, before));
  return changes;
}

ChangedCells recordedRectangle(EditHistory& history, TileLayer& ground, MapExtent extent, CellPos a, CellPos b,
                               TileCode code) {
  const CellPos topLeft{std::min(a.row, b.row), std::min(a.col, b.col)};
  const AreaBefore before(ground, extent, topLeft, std::max(a.row, b.row) - topLeft.row + 1,
                          std::max(a.col, b.col) - topLeft.col + 1);
  ChangedCells changes = fillRectangle(ground, extent, a, b, code);
  history.add(EditKind::Rectangle, CellPatch::of(LayerKind::Ground, ground, changes, before));
  return changes;
}

const ChangedCells& recordedFill(EditHistory& history, TileLayer& ground, MapExtent extent, CellPos start,
                                 TileCode code, FillScratch& scratch) {
  // Every cell a fill changes held the start cell's code and now holds `code`.
  const TileCode old = TileLayer::inGrid(start.row, start.col) ? ground.at(start.row, start.col) : TileCode{};
  const ChangedCells& changes = floodFill(ground, extent, start, code, scratch);
  recordFill(history, changes, old, code);
  return changes;
}

void recordFill(EditHistory& history, const ChangedCells& changes, TileCode old, TileCode code) {
  history.add(EditKind::Fill, CellPatch::uniform(LayerKind::Ground, changes, old, code));
}

ChangedCells recordedSwap(EditHistory& history, UndoBuffer& buffer, TileLayer& ground, MapExtent extent) {
  ChangedCells changes = buffer.undo(ground, extent);
  // The buffer now holds the layer from before the swap.
  const TileLayer& before = buffer.saved();
  history.add(EditKind::Swap, CellPatch::of(LayerKind::Ground, ground, changes, before));
  return changes;
}

void recordProperties(EditHistory& history, const PropertiesSnapshot& before, const MapDocument& map,
                      const data::ProjectDatabase& db) {
  auto change = std::make_shared<PropertiesChange>(PropertiesChange::between(before, map, db));
  if (change->empty()) return;
  EditStep step;
  step.kind = EditKind::Properties;
  step.properties = std::move(change);
  history.add(std::move(step));
}

}  // namespace quillane::map
