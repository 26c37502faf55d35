// LoadAll and SaveAll on a maximal project (every count of MaxValues at the top of its
// range, one 80 x 80 map with 100 events of 100 script lines and 60 flag entries of 30
// steps), each against its baseline measured in the same iteration: reading the same
// files' bytes, and writing the same bytes to new files with the same flush policy
// (temporary file, fsync, rename, folder fsync). The counters give the ratios.
//
// QUILLANE_BENCH_KEEP=DIR writes the maximal project into DIR and keeps it (for
// measuring `quillane-tool check` on it).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/map_context.h"
#include "core/data/save_all.h"
#include "core/map/map_files.h"
#include "core/map/new_map.h"
#include "core/text/project_files.h"
#include "maximal_project.h"
#include "paired_times.h"

namespace {

namespace fs = std::filesystem;
using namespace quillane;

struct Fixture {
  fs::path folder;
  data::ProjectDatabase db;
  map::MapDocument map;
  std::vector<files::NamedFile> bytes;  // the saved files, for the baselines

  Fixture() {
    const char* keep = std::getenv("QUILLANE_BENCH_KEEP");
    folder = keep ? fs::path(keep) : fs::temp_directory_path() / ("quillane-bench-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "DAT");
    db = bench::maximalDatabase();
    map = bench::maximalMap();
    data::RandomSource random(2);
    data::SaveRequest request;
    request.mapNumber = 1;
    request.mapFiles = map::writeMapFiles(map, 1, data::mapContext(db), random);
    if (!data::saveAll(folder, db, random, request).ok) std::abort();
    for (const auto& p : files::listMatching(folder / "DAT", "*.dat"))
      bytes.push_back({p.filename().string(), *files::readFile(p)});
  }
  ~Fixture() {
    if (!std::getenv("QUILLANE_BENCH_KEEP")) fs::remove_all(folder);
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

using bench::PairedTimes;

void BM_LoadAllVsReadingBytes(benchmark::State& state) {
  Fixture& f = fixture();
  data::RandomSource random(3);
  PairedTimes times;
  std::size_t total = 0;
  for (auto _ : state) {
    times.run(
        [&] {
          for (const auto& file : f.bytes) total += files::readFile(f.folder / "DAT" / file.relative)->size();
        },
        [&] {
          data::ProjectDatabase db;
          data::loadAll(f.folder, db, random);
          map::MapDocument doc = map::readMap(f.folder, 1, data::mapContext(db));
          benchmark::DoNotOptimize(doc.width);
        });
  }
  benchmark::DoNotOptimize(total);
  times.report(state, "read_ms", "load_ms");
}
BENCHMARK(BM_LoadAllVsReadingBytes)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SaveAllVsWritingBytes(benchmark::State& state) {
  Fixture& f = fixture();
  data::RandomSource random(4);
  fs::path scratch = f.folder / "scratch";
  fs::create_directories(scratch);
  PairedTimes times;
  for (auto _ : state) {
    times.run(
        [&] {
          for (const auto& file : f.bytes) files::writeFileAtomic(scratch / file.relative, file.content);
        },
        [&] {
          data::SaveRequest request;
          request.mapNumber = 1;
          request.mapFiles = map::writeMapFiles(f.map, 1, data::mapContext(f.db), random);
          if (!data::saveAll(f.folder, f.db, random, request).ok) state.SkipWithError("save failed");
        });
  }
  fs::remove_all(scratch);
  // Both sides wait on the disk (fsync); the CPU ratio shows the work that is our own.
  times.report(state, "write_ms", "save_ms");
}
BENCHMARK(BM_SaveAllVsWritingBytes)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
