#pragma once
// The cells one edit changed on one layer, with their codes before and after, kept
// small: places as runs along rows (rows and columns 0..200 fit in a byte), codes as
// runs of equal codes in the same order. A fill of a whole map is a few runs whatever
// its size. Applying the before codes undoes the edit, the after codes redo it.
#include <cstdint>
#include <vector>

#include "core/map/cell_changes.h"
#include "core/map/palette.h"
#include "core/map/tile_layer.h"

namespace quillane::map {

struct CodeRun {
  TileCode code;
  std::uint16_t count = 0;
};

class CellPatch {
 public:
  CellPatch() = default;
  explicit CellPatch(LayerKind layer) : layer_(layer) {}

  // Builds the patch of `changes` (cells inside the grid) on `after`, the layer as the
  // edit left it; `before(row, first)` points to the codes from before the edit of the
  // cells first, first + 1, ... of a changed run of that row.
  template <class Before>
  static CellPatch of(LayerKind layer, const TileLayer& after, const ChangedCells& changes, Before before) {
    CellPatch patch(layer);
    patch.spans_.reserve(changes.spans.size());
    for (const RowSpan& s : changes.spans) {
      patch.spans_.push_back({static_cast<std::uint8_t>(s.row), static_cast<std::uint8_t>(s.first),
                              static_cast<std::uint8_t>(s.last)});
      const int n = s.last - s.first + 1;
      appendCodes(patch.before_, before(s.row, s.first), n);
      appendCodes(patch.after_, after.row(s.row) + s.first, n);
    }
    return patch;
  }
  // The same when every changed cell held one code before (a fill).
  static CellPatch of(LayerKind layer, const TileLayer& after, const ChangedCells& changes, TileCode before);
  // The same when every changed cell held `before` and now holds `after` (a fill): built
  // from the runs alone, without reading the layer.
  static CellPatch uniform(LayerKind layer, const ChangedCells& changes, TileCode before, TileCode after);
  // The same with the codes from before in a whole layer (the "取消" swap, a dialog).
  static CellPatch of(LayerKind layer, const TileLayer& after, const ChangedCells& changes, const TileLayer& before);

  LayerKind layer() const { return layer_; }
  bool empty() const { return spans_.empty(); }
  // Writes the codes from before (undo) or after (redo) into `layer` and reports the cells.
  ChangedCells applyBefore(TileLayer& layer) const { return apply(layer, before_); }
  ChangedCells applyAfter(TileLayer& layer) const { return apply(layer, after_); }
  // The memory the patch holds.
  std::size_t bytes() const;

 private:
  struct Span {
    std::uint8_t row, first, last;
  };
  // Appends n codes as runs, joining the last run where it continues.
  static void appendCodes(std::vector<CodeRun>& runs, const TileCode* codes, int n);
  // Appends n cells of one code.
  static void appendRun(std::vector<CodeRun>& runs, TileCode code, int n);
  ChangedCells apply(TileLayer& layer, const std::vector<CodeRun>& runs) const;

  LayerKind layer_ = LayerKind::Ground;
  std::vector<Span> spans_;
  std::vector<CodeRun> before_;
  std::vector<CodeRun> after_;
};

}  // namespace quillane::map
