// The flood fill of paint_tools.h: a scanline fill over row segments, with fast row scans.
#include <algorithm>
#include <bit>
#include <cstdint>

#include "core/map/paint_tools.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillane::map {
namespace {

using Segment = FillScratch::Segment;

// Row scans. A cell is four bytes compared as one word (as TileCode's equality does);
// with SSE2 four cells are compared at once, so that long runs and long walls cost a
// fraction of a cycle per cell. Each scan looks at the first cell alone first: most runs
// of a winding region are short.
#define QUILLANE_INLINE inline __attribute__((always_inline))

using fill_detail::word;

#if defined(__SSE2__)
QUILLANE_INLINE __m128i splat(TileCode code) { return _mm_set1_epi32(static_cast<int>(word(code))); }
// Bit i set when cells[i] holds the code of `v`, for four cells.
QUILLANE_INLINE int equalMask(const TileCode* cells, __m128i v) {
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cells));
  return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(c, v)));
}
#endif

// The first of cells[from..end) that holds `code`; at least end when none does.
QUILLANE_INLINE int findCode(const TileCode* cells, int from, int end, TileCode code) {
  if (from >= end || cells[from] == code) return from;
  ++from;
#if defined(__SSE2__)
  const __m128i v = splat(code);
  for (; from + 4 <= end; from += 4)
    if (int m = equalMask(cells + from, v); m != 0) return from + std::countr_zero(static_cast<unsigned>(m));
#endif
  while (from < end && !(cells[from] == code)) ++from;
  return from;
}

// Paints cells[from], cells[from + 1] ... with `code` while they hold `old`, up to
// end; returns the first cell not painted.
QUILLANE_INLINE int paintRight(TileCode* cells, int from, int end, TileCode old, TileCode code) {
#if defined(__SSE2__)
  const __m128i o = splat(old), n = splat(code);
  for (; from + 4 <= end; from += 4) {
    if (int m = equalMask(cells + from, o); m != 0xF) {
      for (const int stop = from + std::countr_one(static_cast<unsigned>(m)); from < stop; ++from) cells[from] = code;
      return from;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + from), n);
  }
#endif
  while (from < end && cells[from] == old) cells[from++] = code;
  return from;
}

// Paints cells[to − 1], cells[to − 2] ... with `code` while they hold `old`, down to
// cell 0; returns the last cell painted (to when none).
QUILLANE_INLINE int paintLeft(TileCode* cells, int to, TileCode old, TileCode code) {
#if defined(__SSE2__)
  const __m128i o = splat(old), n = splat(code);
  for (; to >= 4; to -= 4) {
    if (int m = equalMask(cells + to - 4, o); m != 0xF) {
      for (const int stop = to - std::countl_one(static_cast<unsigned>(m) << 28); to > stop;) cells[--to] = code;
      return to;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + to - 4), n);
  }
#endif
  while (to > 0 && cells[to - 1] == old) cells[--to] = code;
  return to;
}

// Appends a changed run; the vector's growth is kept out of line so that the fill's
// short paths stay short.
__attribute__((noinline)) void appendGrowing(std::vector<RowSpan>& spans, RowSpan span) { spans.push_back(span); }
QUILLANE_INLINE void append(std::vector<RowSpan>& spans, RowSpan span) {
  if (spans.size() != spans.capacity()) [[likely]]
    spans.push_back(span);
  else
    appendGrowing(spans, span);
}

// The state of one fill: the layer, the codes, the map's extent and the scratch.
struct Fill {
  TileCode* grid;  // row 0 of the layer; rows are kGridSize cells apart
  TileCode old, code;
  int width, height;
  std::vector<Segment>& stack;
  std::vector<RowSpan>& spans;

  TileCode* row(int r) const { return grid + static_cast<std::ptrdiff_t>(r) * kGridSize; }

  // Row `r` beside painted columns left..right: the segment from its first `old` cell
  // on, or none (left > right) when it holds none or lies outside the map.
  QUILLANE_INLINE Segment beside(int r, int left, int right, int dir) const {
    if (r < 0 || r >= height) return {r, 1, 0, dir};
    return {r, findCode(row(r), left, right + 1, old), right, dir};
  }
  QUILLANE_INLINE void push(const Segment& s) {
    if (s.left <= s.right) stack.push_back(s);
  }

  void explore(Segment s);
  bool walkCorridor(Segment& s);
  void exploreRow(const Segment& s, Segment& next);
};

// A one-cell segment: follows the corridor of one-cell runs that starts there, painting
// as it goes. Returns true when the corridor ended, false when it widens: `s` is then
// the segment of the wider run, for exploreRow.
QUILLANE_INLINE bool Fill::walkCorridor(Segment& s) {
  const int x = s.left;
  const bool hasLeft = x > 0, hasRight = x + 1 < width;
  TileCode* cell = row(s.row) + x;
  const std::ptrdiff_t step = s.dir * kGridSize;
  for (int r = s.row;;) {
    if (!(*cell == old)) return true;  // painted since it was pushed, or a wall ahead
    if ((hasLeft && cell[-1] == old) || (hasRight && cell[1] == old)) {
      s.row = r;
      return false;
    }
    *cell = code;
    append(spans, {r, x, x});
    r += s.dir;
    if (r < 0 || r >= height) return true;
    cell += step;
  }
}

// Paints the runs of `old` that meet segment `s` and pushes what lies beside them. The
// first segment beyond in the same direction becomes `next` instead of being pushed.
QUILLANE_INLINE void Fill::exploreRow(const Segment& s, Segment& next) {
  TileCode* cells = row(s.row);
  int x = findCode(cells, s.left, s.right + 1, old);  // held `old` when pushed, unless painted since
  if (x > s.right) return;
  int left = paintLeft(cells, x, old, code);
  const int leftmost = left;
  for (;;) {
    const int end = paintRight(cells, x, width, old, code);
    append(spans, {s.row, left, end - 1});
    const Segment on = beside(s.row + s.dir, left, end - 1, s.dir);
    if (next.left > next.right)
      next = on;
    else
      push(on);
    if (end - 1 > s.right) push(beside(s.row - s.dir, s.right + 1, end - 1, -s.dir));  // leaks out right
    // cells[end] holds no `old` or lies past the map: look beyond it.
    x = findCode(cells, end + 1, s.right + 1, old);
    if (x > s.right) break;
    left = x;
  }
  if (leftmost < s.left) push(beside(s.row - s.dir, leftmost, s.left - 1, -s.dir));  // leaks out left
}

// Explores segment `s` and everything reached from it. The first segment that a row
// yields in the same direction is explored next without the stack; the others wait on
// the stack.
void Fill::explore(Segment s) {
  for (;;) {
    Segment next{0, 1, 0, 0};  // none
    if (s.left != s.right || !walkCorridor(s)) exploreRow(s, next);
    if (next.left <= next.right) {
      s = next;
    } else if (!stack.empty()) {
      s = stack.back();
      stack.pop_back();
    } else {
      return;
    }
  }
}

}  // namespace

namespace fill_detail {

const ChangedCells& fill(TileLayer& layer, MapExtent extent, CellPos start, TileCode code, FillScratch& scratch) {
  // Scanline fill over row segments (Heckbert's seed fill): each run of `old` cells is
  // found and painted in one pass along its row, the row beyond it is explored in the
  // same direction, and only the parts of a run that stick out past the segment it was
  // found from are explored back towards the row it came from. Every cell is painted
  // once; a segment is kept only when it holds an `old` cell, and starts at the first.
  // No memory is allocated once the scratch has grown.
  scratch.changes.spans.clear();
  scratch.stack.clear();
  const MapExtent grid{std::clamp(extent.width, 0, kGridSize), std::clamp(extent.height, 0, kGridSize)};
  if (!grid.contains(start.row, start.col)) return scratch.changes;
  const TileCode old = layer.at(start.row, start.col);
  if (old == code) return scratch.changes;
  Fill fill{layer.row(0), old, code, grid.width, grid.height, scratch.stack, scratch.changes.spans};
  // Row start.row explored as if reached from above; the cell above is explored on its own.
  fill.push(fill.beside(start.row - 1, start.col, start.col, -1));
  fill.explore({start.row, start.col, start.col, 1});
  return scratch.changes;
}

}  // namespace fill_detail

ChangedCells floodFill(TileLayer& layer, MapExtent extent, CellPos start, TileCode code) {
  FillScratch scratch;
  floodFill(layer, extent, start, code, scratch);
  return std::move(scratch.changes);
}

}  // namespace quillane::map
