#include "core/map/cell_patch.h"

#include <algorithm>

namespace quillane::map {

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
      const TileCode code = runs[run].code;
      for (int end = c + n; c < end; ++c) row[c] = code;
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
