// Import and test-play save, each against its baseline measured in the same iteration:
// reading a source project for import against loading the same project as the open one
// (target: at most 1.2 ×), and writing the test-play save file of a project with 12
// players and 200 maps against writing its bytes to a file in a plain loop with the same
// flush policy (target: at most 3 ×). The counters give the ratios.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/save_all.h"
#include "core/map/new_map.h"
#include "core/text/project_files.h"
#include "core/tools/source_project.h"
#include "core/tools/test_save.h"
#include "../tests/core/maximal_project.h"
#include "paired_times.h"

namespace {

namespace fs = std::filesystem;
using namespace quillane;

using bench::PairedTimes;

// A large project on disk (password "password").
struct Project {
  fs::path folder = fs::temp_directory_path() / ("quillane-bench-import-" + std::to_string(::getpid()));
  Project() {
    fs::remove_all(folder);
    fs::create_directories(folder / "DAT");
    data::ProjectDatabase db = quillane::testing::largestBlankDatabase();
    const std::string name = text::sj("名前");
    for (auto& n : db.players.name) n = name;
    for (auto& t : db.items.text) t.fill(name + "item");
    for (auto& t : db.magic.text) t.fill(name + "magic");
    for (auto& n : db.enemies.name) n = name + "enemy";
    for (auto& n : db.maps.name) n = name + "map";
    data::RandomSource random(1);
    data::installRegistration(db.hidden, data::makeRegistration("password", random));
    if (!data::saveAll(folder, db, random).ok) std::abort();
  }
  ~Project() { fs::remove_all(folder); }
};

void BM_SourceReadVsLoadAll(benchmark::State& state) {
  static Project project;
  data::RandomSource random(3);
  PairedTimes times;
  for (auto _ : state) {
    times.run(
        [&] {
          data::ProjectDatabase db;
          data::loadAll(project.folder, db, random);
          benchmark::DoNotOptimize(db.max.players);
        },
        [&] {
          tools::SourceProject source;
          if (tools::readSourceProject(project.folder, "password", random, source) != tools::SourceRead::Loaded)
            state.SkipWithError("source not read");
          benchmark::DoNotOptimize(source.db.max.players);
        });
  }
  times.report(state, "load_ms", "source_ms");
}
BENCHMARK(BM_SourceReadVsLoadAll)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_TestSaveVsPlainWrite(benchmark::State& state) {
  const fs::path folder = fs::temp_directory_path() / ("quillane-bench-testsave-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  data::ProjectDatabase db;
  db.max.players = 12, db.max.maps = 200, db.max.scenery = 200, db.max.itemsHeld = 50, db.max.magicHeld = 50;
  db.fitToCounts();
  for (auto& n : db.players.name) n = text::sj("勇者");
  map::MapDocument map = map::newMapDocument(nullptr, false);
  map.events.lastNumber = 100;
  for (int e = 0; e <= 100; ++e) {
    map.events.records[e].x = e % 20, map.events.records[e].y = e / 20;
    map.events.grid.at(e % 20, e / 20) = {"01", "00", std::to_string(e)};
  }
  tools::EventFlags flags;
  flags.fit(200);
  for (int m = 0; m < 200; ++m) flags.set(m, m % 101, m);
  const text::Bytes bytes = *tools::testSaveBytes({db, map, 3, flags});
  const fs::path plain = folder / "plain.DAT";
  PairedTimes times;
  for (auto _ : state) {
    times.run(
        [&] {
          // The same bytes in a plain loop, through a temporary file, flushed and renamed.
          const fs::path tmp = folder / "plain.tmp";
          std::FILE* f = std::fopen(tmp.c_str(), "wb");
          for (std::size_t i = 0; i < bytes.size(); i += 4096)
            std::fwrite(bytes.data() + i, 1, std::min<std::size_t>(4096, bytes.size() - i), f);
          std::fflush(f);
          ::fsync(fileno(f));
          std::fclose(f);
          fs::rename(tmp, plain);
          files::syncFolder(folder);
        },
        [&] {
          std::optional<text::Bytes> made = tools::testSaveBytes({db, map, 3, flags});
          if (!made || tools::writeTestSave(folder, 1, *made)) state.SkipWithError("save failed");
        });
  }
  fs::remove_all(folder);
  times.report(state, "plain_ms", "testsave_ms");
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_TestSaveVsPlainWrite)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace

BENCHMARK_MAIN();
