// Painting tools against plain loops over the same grid, measured in one run.
// Prints the ratios at the end: fill / plain write of the same number of codes, and
// one pen stamp / one plain write of a whole 80 × 80 map.
#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <string>

#include "core/map/paint_tools.h"
#include "core/map/tile_layer.h"

using namespace quillane::map;

namespace {

const TileCode kA("0A1");
const TileCode kB("1B2");

// The baselines: every cell of a size × size map written in a plain loop.
void plainWrite(benchmark::State& state, int size) {
  TileLayer layer;
  bool flip = false;
  for (auto _ : state) {
    TileCode code = flip ? kA : kB;
    for (int r = 0; r < size; ++r)
      for (int c = 0; c < size; ++c) layer.at(r, c) = code;
    benchmark::DoNotOptimize(layer.row(size / 2));
    benchmark::ClobberMemory();
    flip = !flip;
  }
}

// Baseline for the fill: the whole 201 × 201 grid.
void PlainWriteWholeGrid(benchmark::State& state) { plainWrite(state, kGridSize); }
BENCHMARK(PlainWriteWholeGrid);

// The fill of the whole 201 × 201 grid (alternating codes, so every fill changes all).
void FillWholeGrid(benchmark::State& state) {
  TileLayer layer;
  layer.fillAll(kA);
  bool flip = false;
  for (auto _ : state) {
    ChangedCells changes = floodFill(layer, {kGridSize, kGridSize}, {100, 100}, flip ? kA : kB);
    benchmark::DoNotOptimize(changes);
    flip = !flip;
  }
}
BENCHMARK(FillWholeGrid);

// Baseline for the pen: an 80 × 80 map.
void PlainWriteMap80(benchmark::State& state) { plainWrite(state, 80); }
BENCHMARK(PlainWriteMap80);

// One pen stamp of one tile on an 80 × 80 map: O(brush), independent of the map.
void StampOneTile(benchmark::State& state) {
  TileLayer layer;
  Brush a{1, 1, {kA}}, b{1, 1, {kB}};
  bool flip = false;
  for (auto _ : state) {
    ChangedCells changes = stampBrush(layer, {80, 80}, flip ? a : b, {40, 40});
    benchmark::DoNotOptimize(changes);
    flip = !flip;
  }
}
BENCHMARK(StampOneTile);

// Collects the CPU time per iteration (steadier than wall time on a shared machine) of every run to print the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    ratio("FillWholeGrid", "PlainWriteWholeGrid", "fill whole 201x201 grid / plain write of 40401 codes");
    ratio("StampOneTile", "PlainWriteMap80", "stamp one tile / plain write of an 80x80 map");
  }

 private:
  void ratio(const std::string& a, const std::string& b, const char* what) {
    if (times_.count(a) && times_.count(b) && times_[b] > 0)
      std::cout << "ratio " << what << ": " << times_[a] / times_[b] << "\n";
  }
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
