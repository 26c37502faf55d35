#include "core/map/cell_patch.h"

#include <algorithm>

namespace quillane::map {

void CellPatch::appendRun(std::vector<CodeRun>& runs, TileCode code, int count) {
  if (!runs.empty() && runs.back().code == code) {
    const int join = std::min<int>(UINT16_MAX - runs.back().count, count);
    runs.back().count = static_cast<std::uint16_t>(runs.back().count + join);
    count -= join;
  }
  for (; count > 0; count -= UINT16_MAX)
    runs.push_back({code, static_cast<std::uint16_t>(std::min<int>(count, UINT16_MAX))});
}

void CellPatch::appendCodes(std::vector<CodeRun>& runs, const TileCode* codes, int n) {
  int i = 0;
  while (i < n) {
    const TileCode code = codes[i];
    int j = i + 1;
    while (j < n && codes[j] == code) ++j;
    appendRun(runs, code, j - i);
    i = j;
  }
}

CellPatch CellPatch::uniform(LayerKind layer, const ChangedCells& changes, TileCode before, TileCode after) {
  CellPatch patch(layer);
  patch.spans_.reserve(changes.spans.size());
  int cells = 0;
  for (const RowSpan& s : changes.spans) {
    patch.spans_.push_back({static_cast<std::uint8_t>(s.row), static_cast<std::uint8_t>(s.first),
                            static_cast<std::uint8_t>(s.last)});
    cells += s.last - s.first + 1;
  }
  appendRun(patch.before_, before, cells);
  appendRun(patch.after_, after, cells);
  return patch;
}

CellPatch CellPatch::of(LayerKind layer, const TileLayer& after, const ChangedCells& changes, TileCode before) {
  const std::vector<TileCode> row(kGridSize, before);
  return of(layer, after, changes, [&row](int, int) { return row.data(); });
}

CellPatch CellPatch::of(LayerKind layer, const TileLayer& after, const ChangedCells& changes,
                        const TileLayer& before) {
  return of(layer, after, changes, [&before](int r, int first) { return before.row(r) + first; });
}

ChangedCells CellPatch::apply(TileLayer& layer, const std::vector<CodeRun>& runs) const {
  ChangedCells changes;
  changes.spans.reserve(spans_.size());
  std::size_t run = 0;
  int left = runs.empty() ? 0 : runs[0].count;  // cells still to take from runs[run]
  for (const Span& s : spans_) {
    TileCode* row = layer.row(s.row);
    int c = s.first;
    while (c <= s.last && run < runs.size()) {
      const int n = std::min(left, s.last - c + 1);
      fillCells(row + c, n, runs[run].code);
      c += n;
      left -= n;
      if (left == 0 && ++run < runs.size()) left = runs[run].count;
    }
    changes.addSpan(s.row, s.first, s.last);
  }
  return changes;
}

std::size_t CellPatch::bytes() const {
  return sizeof(CellPatch) + spans_.capacity() * sizeof(Span) +
         (before_.capacity() + after_.capacity()) * sizeof(CodeRun);
}

}  // namespace quillane::map
