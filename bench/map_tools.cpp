// Painting tools against plain loops over the same cells, each pair measured in the
// same iteration; every counter is a median over the iterations.
//
//   BM_Fill/<shape>  ratio  floodFill / writing the region's cells in a plain loop, given
//                           the region as its runs along rows (what the fill has to find)
//   BM_StampOneTile  ratio  one pen stamp of one tile / a plain write of a whole 80 x 80 map
//
// Shapes on the whole 201 x 201 grid, walls holding a third code:
//   uniform       no walls: one region of 40401 cells
//   snake         one-cell walls across every other row, open at alternating ends
//   comb          a spine along row 0 with one-cell corridors down every other column
//   diagonal      a band 21 cells wide along the diagonal
//   checkerboard  every cell a region of its own; one fill for each cell of one colour
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "core/map/paint_tools.h"
#include "core/map/tile_layer.h"
#include "paired_times.h"

using namespace quillane::map;
using quillane::bench::PhaseTimes;

namespace {

const TileCode kA("0A1");
const TileCode kB("1B2");
const TileCode kWall("2C3");
constexpr int kN = kGridSize;
constexpr MapExtent kWhole{kN, kN};

struct Shape {
  std::function<bool(int, int)> open;  // the cell is not a wall
  std::vector<CellPos> seeds;          // one fill from each
};

Shape shape(int which) {
  Shape s;
  switch (which) {
    case 0:
      s.open = [](int, int) { return true; };
      s.seeds = {{100, 100}};
      break;
    case 1:
      s.open = [](int r, int c) { return r % 2 == 0 || c == ((r / 2) % 2 ? 0 : kN - 1); };
      s.seeds = {{100, 100}};
      break;
    case 2:
      s.open = [](int r, int c) { return r == 0 || c % 2 == 0; };
      s.seeds = {{100, 100}};
      break;
    case 3:
      s.open = [](int r, int c) { return std::abs(r - c) <= 10; };
      s.seeds = {{100, 100}};
      break;
    default:
      s.open = [](int r, int c) { return (r + c) % 2 == 0; };
      for (int r = 0; r < kN; ++r)
        for (int c = r % 2; c < kN; c += 2) s.seeds.push_back({r, c});
  }
  return s;
}

// The cells the fills reach, as runs along rows, found by a plain search.
std::vector<RowSpan> regionSpans(const Shape& s) {
  std::vector<char> in(kN * kN, 0);
  for (CellPos seed : s.seeds) {
    std::vector<CellPos> todo = {seed};
    in[seed.row * kN + seed.col] = 1;
    while (!todo.empty()) {
      CellPos p = todo.back();
      todo.pop_back();
      const CellPos next[] = {{p.row - 1, p.col}, {p.row + 1, p.col}, {p.row, p.col - 1}, {p.row, p.col + 1}};
      for (CellPos q : next)
        if (TileLayer::inGrid(q.row, q.col) && !in[q.row * kN + q.col] && s.open(q.row, q.col))
          in[q.row * kN + q.col] = 1, todo.push_back(q);
    }
  }
  std::vector<RowSpan> spans;
  for (int r = 0; r < kN; ++r)
    for (int c = 0; c < kN; ++c)
      if (in[r * kN + c]) {
        int last = c;
        while (last + 1 < kN && in[r * kN + last + 1]) ++last;
        spans.push_back({r, c, last});
        c = last;
      }
  return spans;
}

void BM_Fill(benchmark::State& state) {
  const Shape s = shape(static_cast<int>(state.range(0)));
  const std::vector<RowSpan> spans = regionSpans(s);
  int cells = 0;
  for (const RowSpan& sp : spans) cells += sp.last - sp.first + 1;
  TileLayer plain, filled;
  for (int r = 0; r < kN; ++r)
    for (int c = 0; c < kN; ++c) plain.at(r, c) = filled.at(r, c) = s.open(r, c) ? kA : kWall;
  FillScratch scratch;
  PhaseTimes t;
  bool flip = false;
  for (auto _ : state) {
    // Alternate the code so that every pass really changes every cell of the region.
    const TileCode code = flip ? kA : kB;
    flip = !flip;
    t.time(0, [&] {
      for (const RowSpan& sp : spans) {
        TileCode* row = plain.row(sp.row);
        for (int c = sp.first; c <= sp.last; ++c) row[c] = code;
      }
      benchmark::ClobberMemory();
    });
    int changed = 0;
    t.time(1, [&] {
      for (CellPos seed : s.seeds) {
        const ChangedCells& changes = floodFill(filled, kWhole, seed, code, scratch);
        changed += static_cast<int>(changes.spans.size());
        benchmark::DoNotOptimize(changes.spans.data());
      }
    });
    if (!(filled == plain)) {
      state.SkipWithError("the fill and the plain write differ");
      break;
    }
    benchmark::DoNotOptimize(changed);
  }
  state.counters["cells"] = cells;
  t.reportMs(state, 0, "plain_ms");
  t.reportMs(state, 1, "fill_ms");
  t.reportRatio(state, 1, 0, "ratio");
}
BENCHMARK(BM_Fill)->ArgName("shape")->DenseRange(0, 4)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_StampOneTile(benchmark::State& state) {
  TileLayer layer;
  Brush a{1, 1, {kA}}, b{1, 1, {kB}};
  PhaseTimes t;
  bool flip = false;
  for (auto _ : state) {
    const TileCode code = flip ? kA : kB;
    t.time(0, [&] {
      for (int r = 0; r < 80; ++r)
        for (int c = 0; c < 80; ++c) layer.at(r, c) = code;
      benchmark::ClobberMemory();
    });
    t.time(1, [&] {
      ChangedCells changes = stampBrush(layer, {80, 80}, flip ? a : b, {40, 40});
      benchmark::DoNotOptimize(changes.spans.data());
    });
    flip = !flip;
  }
  t.reportRatio(state, 1, 0, "ratio", false);
}
BENCHMARK(BM_StampOneTile)->Iterations(10000);

}  // namespace

BENCHMARK_MAIN();
