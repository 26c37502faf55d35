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
#include "paired_times.h"

namespace {

namespace fs = std::filesystem;
using namespace quillane;

data::ProjectDatabase maximalDatabase() {
  data::ProjectDatabase db = data::blankDatabase();
  data::MaxValues& m = db.max;
  m.players = data::kPlayerRange.hi, m.magicHeld = data::kMagicHeldRange.hi, m.itemsHeld = data::kItemsHeldRange.hi;
  m.levels = data::kLevelRange.hi, m.itemKinds = data::kItemKindRange.hi, m.armsKinds = data::kArmsKindRange.hi;
  m.magicKinds = data::kMagicKindRange.hi, m.maps = data::kMapRange.hi, m.enemyKinds = data::kEnemyKindRange.hi;
  m.scenery = data::kMaxSceneryEntries, m.events = data::kEventRange.hi, m.messages = data::kMessageRange.hi;
  db.fitToCounts();
  const std::string name = text::sj("名前");
  for (auto& n : db.players.name) n = name + "player";
  for (auto& row : db.levels.experience)
    for (std::size_t l = 0; l < row.size(); ++l) row[l] = static_cast<std::int32_t>(l * 1234);
  for (auto& t : db.items.text) t.fill(name + "item text");
  for (auto& t : db.magic.text) t.fill(name + "magic text");
  for (auto& s : db.magic.playerSound) s.assign(s.size(), "mgc");
  for (auto& n : db.enemies.name) n = name + "enemy";
  for (auto& n : db.maps.name) n = name + "map";
  for (int a = 0; a < data::kMaxAttributes; ++a) db.scenery.attributeName[a] = "attribute" + std::to_string(a);
  for (int k = 0; k < data::kMaxMessages - 1; ++k) db.messages.entries[k][0] = name + "message " + std::to_string(k);
  db.messages.entries[data::kMaxMessages - 1][0] = "END";
  for (int i = 0; i < 100; ++i) db.opening.lines[i] = {name + "line", "MES,1:NEX"};
  db.opening.lines[100].message = event::kEndMarker;
  data::RandomSource random(1);
  data::installRegistration(db.hidden, data::makeRegistration("password", random));
  return db;
}

map::MapDocument maximalMap() {
  map::MapDocument doc = map::newMapDocument(nullptr, false);
  doc.width = 80, doc.height = 80;
  doc.ground.fillArea(80, 80, map::TileCode("B0"));
  doc.sky.fillArea(80, 80, map::TileCode("00"));
  doc.events.lastNumber = 99;
  for (int e = 0; e < 100; ++e) {
    auto& rec = doc.events.records[e];
    rec.x = e % 80, rec.y = e / 80;
    for (int l = 0; l < 100; ++l) rec.lines[l] = {text::sj("「こんにちは」") + std::to_string(l), "MES,1:NEX"};
    rec.lines[100].message = event::kEndMarker;
    doc.events.grid.at(rec.x, rec.y) = {"01", "00", std::to_string(e)};
  }
  for (int f = 0; f < 60; ++f) {
    event::FlagEntry entry;
    entry.conditions[0] = {1, f % 100, "=", 1};
    for (int s = 0; s < 30; ++s) entry.steps.push_back({"F", 1, f, s, "", "", ""});
    doc.flags.push_back(entry);
  }
  return doc;
}

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
    db = maximalDatabase();
    map = maximalMap();
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
