#pragma once
// Cells a tool changed, as runs along rows, so that the canvas redraws only those.
#include <vector>

namespace quillane::map {

struct CellPos {
  int row = 0;
  int col = 0;
  friend bool operator==(const CellPos&, const CellPos&) = default;
};

struct RowSpan {
  int row = 0;
  int first = 0;  // columns first..last
  int last = 0;
  friend bool operator==(const RowSpan&, const RowSpan&) = default;
};

struct ChangedCells {
  std::vector<RowSpan> spans;

  bool empty() const { return spans.empty(); }
  // Adds one cell, joining it to the last run when it continues it.
  void add(int row, int col) {
    if (!spans.empty() && spans.back().row == row && spans.back().last + 1 == col)
      spans.back().last = col;
    else
      spans.push_back({row, col, col});
  }
  void addSpan(int row, int first, int last) { spans.push_back({row, first, last}); }
  int cellCount() const {
    int n = 0;
    for (const RowSpan& s : spans) n += s.last - s.first + 1;
    return n;
  }
  bool contains(int row, int col) const {
    for (const RowSpan& s : spans)
      if (s.row == row && col >= s.first && col <= s.last) return true;
    return false;
  }
};

}  // namespace quillane::map
