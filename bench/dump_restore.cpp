// `quillane-tool dump` followed by `quillane-tool restore --force` of the maximal project
// (every table at its largest, one 80 x 80 map with 100 events of 100 lines and 60 flag
// entries of 30 steps) against `quillane-tool resave` of it (load, read the map, save
// with the run's backup), both in each iteration of the same run. The target: at most
// 4 x. Each side does what its command does, files and fsync included.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/map_context.h"
#include "core/data/save_all.h"
#include "core/json/project_folder.h"
#include "core/map/map_files.h"
#include "../tests/core/maximal_project.h"
#include "paired_times.h"

namespace {

namespace fs = std::filesystem;
using namespace quillane;

struct Fixture {
  fs::path folder;
  Fixture() {
    folder = fs::temp_directory_path() / ("quillane-bench-dump-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "DAT");
    data::ProjectDatabase db = testing::maximalDatabase();
    data::RandomSource random(2);
    data::SaveRequest request;
    request.mapNumber = 1;
    request.mapFiles = map::writeMapFiles(testing::maximalMap(), 1, data::mapContext(db), random);
    if (!data::saveAll(folder, db, random, request).ok) std::abort();
  }
  ~Fixture() { fs::remove_all(folder); }
};

// quillane-tool resave DIR --password P --map 1
void resave(const fs::path& folder, data::RandomSource& random) {
  data::ProjectDatabase db;
  data::loadAll(folder, db, random);
  data::SaveRequest request;
  request.mapNumber = 1;
  map::MapDocument doc = map::readMap(folder, 1, data::mapContext(db));
  request.mapFiles = map::writeMapFiles(doc, 1, data::mapContext(db), random);
  data::BackupState backup;
  if (!data::saveCommand(folder, db, random, backup, request).ok) std::abort();
}

// quillane-tool dump DIR --password P > project.json
std::string dump(const fs::path& folder, data::RandomSource& random) {
  data::ProjectDatabase db;
  data::loadAll(folder, db, random);
  json::FolderMaps maps(folder);
  return json::dumpProject(db, maps);
}

// quillane-tool restore project.json DIR --password P --force
void restore(const fs::path& folder, const std::string& document, data::RandomSource& random) {
  if (json::holdsProject(folder)) {
    data::ProjectDatabase current;  // the password test of the project written over
    data::loadAll(folder, current, random);
    if (!data::passwordMatches(current.hidden, "password")) std::abort();
  }
  json::ProjectFiles made = json::projectFiles(document, "password", random);
  data::BackupState backup;
  if (json::writeProject(folder, made, backup)) std::abort();
}

void BM_DumpRestoreVsResave(benchmark::State& state) {
  static Fixture f;
  data::RandomSource random(3);
  bench::PairedTimes times;
  std::size_t bytes = 0;
  for (auto _ : state) {
    times.run([&] { resave(f.folder, random); },
              [&] {
                std::string document = dump(f.folder, random);
                bytes = document.size();
                restore(f.folder, document, random);
              });
  }
  state.counters["json_mb"] = static_cast<double>(bytes) / 1e6;
  times.report(state, "resave_ms", "dump_restore_ms");
}
BENCHMARK(BM_DumpRestoreVsResave)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
