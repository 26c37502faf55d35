// The map view against building its canvas: on an 80 × 80 map, one view refresh after
// a one-cell scroll is a scaled copy of the cached full-size canvas image, so at every
// zoom step it must cost far less than drawing the canvas (the target is 1/20). The
// counter "ratio" of each refresh run is its time over the build time measured in the
// same process.
#include "source_paths.h"
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include "offscreen_main.h"

#include <time.h>
#include <cstdlib>
#include <filesystem>

#include "core/map/new_map.h"
#include "core/map/view_geometry.h"
#include "gui/map/map_canvas.h"
#include "gui/map/map_view.h"
#include "gui/ui/bitmaps.h"
#include "paired_times.h"

namespace {

using namespace quillane;
using bench::cpuNow;

struct Fixture {
  map::MapDocument doc = map::newMapDocument(nullptr, false);
  gui::MapCanvas canvas;
  Fixture() {
    doc.width = 80;
    doc.height = 80;
    for (int r = 0; r < 80; ++r)
      for (int c = 0; c < 80; ++c) {
        static const char* hex = "0123456789ABCDEF";
        char code[3] = {hex[(r * 7 + c) % 16], hex[(c * 3 + r) % 16], 0};
        doc.ground.set(r, c, code);
      }
    // The sample's tile set when present, else a patterned sheet: the cost is the same.
    std::filesystem::path sample = std::filesystem::path(QUILLANE_SOURCE_DIR) / "sample";
    if (auto image = ui::projectBitmap(sample, "GRP", "MAP", ".BMP")) {
      QPainter(&canvas.sheets().work).drawImage(0, 0, *image);
    } else {
      for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) canvas.sheets().work.setPixel(x, y, qRgb(x & 255, y & 255, (x ^ y) & 255));
    }
    canvas.setDocument(&doc, false);
    canvas.build();
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

double buildSeconds = 0;

void BM_BuildCanvas(benchmark::State& state) {
  Fixture& f = fixture();
  double total = 0;
  for (auto _ : state) {
    double t0 = cpuNow();
    f.canvas.build();
    total += cpuNow() - t0;
    benchmark::DoNotOptimize(f.canvas.image().constBits());
  }
  buildSeconds = total / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BuildCanvas)->Unit(benchmark::kMillisecond);

// One refresh after a one-cell scroll at zoom step `range(0)` (index into kZoomSteps).
void BM_RefreshAfterScroll(benchmark::State& state) {
  Fixture& f = fixture();
  gui::MapView view(f.canvas);
  view.setZoom(map::kZoomSteps[static_cast<std::size_t>(state.range(0))]);
  view.setGrid(true);  // the costlier case
  QImage target(gui::kViewSize, gui::kViewSize, QImage::Format_RGB32);
  double total = 0;
  int step = 0;
  for (auto _ : state) {
    view.setScroll(step % 2, 1 - step % 2);  // one cell across or down
    ++step;
    double t0 = cpuNow();
    QPainter p(&target);
    view.render(p);
    p.end();
    total += cpuNow() - t0;
    benchmark::DoNotOptimize(target.constBits());
  }
  double refresh = total / static_cast<double>(state.iterations());
  state.counters["zoom"] = map::kZoomSteps[static_cast<std::size_t>(state.range(0))];
  state.counters["ratio"] = buildSeconds > 0 ? refresh / buildSeconds : 0;
}
BENCHMARK(BM_RefreshAfterScroll)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return runOffscreenBenchmarks(argc, argv); }
