// One pen stamp of one tile on an 80 x 80 map, with its redraw into the canvas (what
// the pen does on a press), against building that map's whole canvas, each measured
// with the real canvas code in the same run. The counter "ratio" is stamp / build; the
// target is at most 0.01.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>

#include "core/map/new_map.h"
#include "core/map/paint_tools.h"
#include "core/map/palette.h"
#include "gui/map/map_canvas.h"

namespace {

using namespace quillane;
using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

struct Fixture {
  map::MapDocument doc = map::newMapDocument(nullptr, false);
  gui::MapCanvas canvas;
  Fixture() {
    doc.width = doc.height = 80;
    for (int r = 0; r < 80; ++r)
      for (int c = 0; c < 80; ++c) doc.ground.set(r, c, (r + c) % 2 ? "B0" : "B1");
    QImage work(512, 1536, QImage::Format_RGB32);
    QPainter p(&work);
    for (int r = 0; r < 48; ++r)
      for (int c = 0; c < 16; ++c) p.fillRect(c * 32, r * 32, 32, 32, QColor(r * 5, c * 15, 90));
    p.end();
    canvas.sheets().work = work;
    canvas.setDocument(&doc, false);
    canvas.build();
  }
};

void BM_StampOneTileVsBuildCanvas(benchmark::State& state) {
  Fixture f;
  map::Brush one{1, 1, {map::TileCode("00")}};
  map::Brush other{1, 1, {map::TileCode("C3")}};
  double stamp = 0, build = 0;
  int i = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    f.canvas.build();
    auto t1 = Clock::now();
    // Alternate the code so that every stamp really changes the cell.
    const map::Brush& brush = (++i % 2) ? one : other;
    map::ChangedCells changes = map::stampBrush(f.doc.ground, {80, 80}, brush, {i % 80, (i * 7) % 80});
    f.canvas.drawCells(changes);
    auto t2 = Clock::now();
    benchmark::DoNotOptimize(f.canvas.image().constBits());
    build += seconds(t0, t1);
    stamp += seconds(t1, t2);
  }
  state.counters["build_us"] = 1e6 * build / state.iterations();
  state.counters["stamp_us"] = 1e6 * stamp / state.iterations();
  state.counters["ratio"] = stamp / build;
}
BENCHMARK(BM_StampOneTileVsBuildCanvas)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace

int main(int argc, char** argv) {
  // The canvas paints with QPainter, which needs a GUI application (offscreen is fine).
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
