// The edit history against the edit it records, measured in one run: the fill of the
// whole 201 × 201 grid, then recording it as a history step (as recordedFill does), then
// undoing it. Counters:
// record_ratio = recording / fill (target at most 2), undo_ratio = undo / fill (target at
// most 1). A second benchmark keeps 200 steps of whole-map fills on a 200 × 32 map and
// reports the memory they hold (target under 8 MB): as the history counts it, and as
// the heap grew.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "core/data/project_database.h"
#include "core/map/edit_history.h"
#include "core/map/map_document.h"
#include "core/map/paint_tools.h"
#include "core/map/recorded_edits.h"
#include "paired_times.h"

using namespace quillane;
using namespace quillane::map;

namespace {

const TileCode kA("0A1");
const TileCode kB("1B2");

void FillRecordUndoWholeGrid(benchmark::State& state) {
  MapDocument doc;
  doc.ground.fillAll(kA);
  data::ProjectDatabase db;
  EditHistory history;
  const MapExtent grid{kGridSize, kGridSize};
  FillScratch scratch;
  double fill = 0, record = 0, undo = 0;
  for (auto _ : state) {
    const double t0 = bench::cpuNow();
    const ChangedCells& changes = floodFill(doc.ground, grid, {100, 100}, kB, scratch);
    const double t1 = bench::cpuNow();
    recordFill(history, changes, kA, kB);
    const double t2 = bench::cpuNow();
    auto undone = history.undo(doc, db);
    const double t3 = bench::cpuNow();
    benchmark::DoNotOptimize(undone);
    fill += t1 - t0, record += t2 - t1, undo += t3 - t2;
  }
  state.counters["fill_ms"] = 1000 * fill / state.iterations();
  state.counters["record_ms"] = 1000 * record / state.iterations();
  state.counters["undo_ms"] = 1000 * undo / state.iterations();
  state.counters["record_ratio"] = record / fill;
  state.counters["undo_ratio"] = undo / fill;
}
BENCHMARK(FillRecordUndoWholeGrid)->MinTime(1.0);

void TwoHundredWholeMapFills(benchmark::State& state) {
  for (auto _ : state) {
    MapDocument doc;
    doc.width = 200;
    doc.height = 32;
    doc.ground.fillArea(doc.height, doc.width, kA);
    const auto heap = [] { return static_cast<long long>(mallinfo2().uordblks); };
    const long long heapBefore = heap();
    std::size_t peakHistory = 0;
    long long peakHeap = 0;
    {
      EditHistory history;
      FillScratch scratch;
      for (int i = 0; i < 200; ++i) {
        recordedFill(history, doc.ground, {doc.width, doc.height}, {16, 100}, i % 2 ? kA : kB, scratch);
        peakHistory = std::max(peakHistory, history.bytes());
        peakHeap = std::max(peakHeap, heap() - heapBefore);
      }
      benchmark::DoNotOptimize(history.size());
    }
    state.counters["history_MB"] = static_cast<double>(peakHistory) / (1 << 20);
    state.counters["heap_MB"] = static_cast<double>(peakHeap) / (1 << 20);
  }
}
BENCHMARK(TwoHundredWholeMapFills)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
