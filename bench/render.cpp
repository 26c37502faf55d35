// quillane-tool render against the editor, in one run: an 80 × 80 map with ground and
// sky tiles and 100 events, drawn with both layers and the events and written as a PNG.
// Baseline: what the editor does when it opens the map (load its tile sheets, build the
// canvas with the sky and events) plus writing that canvas image as a PNG with the same
// library. Measured: renderMap, which does the same through its own canvas, plus the
// same PNG write. The counter "ratio" is measured / baseline (wall), "cpu_ratio" the
// same in CPU time; the target is at most 1. "sheets_cpu_ms" is the bitmap loading inside
// the baseline.
#include "source_paths.h"
#include <QImageWriter>
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "core/map/new_map.h"
#include "gui/event/event_mode.h"
#include "gui/map/map_canvas.h"
#include "gui/map/map_render.h"
#include "offscreen_main.h"
#include "paired_times.h"

namespace {

using namespace quillane;
namespace fs = std::filesystem;

struct Project {
  fs::path folder = fs::temp_directory_path() / ("bench_render_" + std::to_string(::getpid()));
  data::ProjectDatabase db;
  map::MapDocument doc = map::newMapDocument(nullptr, false);

  Project() {
    fs::remove_all(folder);
    fs::create_directories(folder / "GRP");
    for (const char* f : {"MAP.BMP", "SKY.BMP", "SKYm.BMP", "CHR.BMP"})
      fs::copy_file(fs::path(QUILLANE_SOURCE_DIR) / "sample" / "GRP" / f, folder / "GRP" / f);
    static const char* hex = "0123456789ABCDEF";
    doc.width = doc.height = 80;
    doc.skyTileSetName = "SKY";
    doc.startEvent = 200;  // no start marker: the picture has none either
    for (int r = 0; r < 80; ++r)
      for (int c = 0; c < 80; ++c) {
        doc.ground.set(r, c, std::string{hex[(r * 7 + c) % 16], hex[(c * 3 + r) % 8]});
        doc.sky.set(r, c, (r + c) % 3 == 0 ? std::string{hex[1 + (r + c) % 7], hex[(r * c) % 16]} : "00");
      }
    doc.events.lastNumber = 99;
    for (int e = 0; e < 100; ++e) {
      auto& rec = doc.events.records[static_cast<std::size_t>(e)];
      rec.x = (e * 13) % 80, rec.y = (e * 7) % 80;
      doc.events.grid.at(rec.x, rec.y) = {std::string{"0"} + hex[e % 6], "1", std::to_string(e)};
    }
  }
  ~Project() { fs::remove_all(folder); }
};

bool writePng(const QImage& image, const fs::path& file) {
  QImageWriter writer(QString::fromStdString(file.string()), "png");
  return writer.write(image);
}

void RenderAgainstEditorCanvas(benchmark::State& state) {
  Project project;
  const fs::path out = project.folder / "map.png";
  bench::PairedTimes times;
  double sheetsCpu = 0;
  for (auto _ : state) {
    times.run(
        [&] {
          gui::MapCanvas canvas;
          const double t0 = bench::cpuNow();
          canvas.symbols().load(project.folder);
          canvas.sheets().load(project.folder, project.doc, false, gui::characterLookOf(project.db.initial));
          sheetsCpu += bench::cpuNow() - t0;
          canvas.setDocument(&project.doc, false);
          canvas.setSkyMode(true);
          gui::EventCellDecorator events(canvas);
          canvas.addDecorator(&events);
          canvas.build();
          if (!writePng(canvas.image(), out)) state.SkipWithError("the PNG was not written");
        },
        [&] {
          gui::RenderOptions options;
          options.layer = gui::RenderOptions::Layer::Both;
          options.events = true;
          QStringList messages;
          const QImage image =
              gui::renderMap(project.folder, project.folder, project.db, project.doc, options, messages);
          if (!messages.isEmpty() || !writePng(image, out)) state.SkipWithError("the picture was not made");
        });
  }
  times.report(state, "editor_ms", "render_ms");
  // The bitmaps' share of the baseline (CPU): small beside the canvas and the PNG.
  state.counters["sheets_cpu_ms"] = 1000 * sheetsCpu / static_cast<double>(state.iterations());
}
BENCHMARK(RenderAgainstEditorCanvas)->Unit(benchmark::kMillisecond)->Iterations(6);

}  // namespace

int main(int argc, char** argv) { return runOffscreenBenchmarks(argc, argv); }
