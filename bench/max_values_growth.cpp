// Growing every table from the minimum of its range to the maximum in one "OK" of the
// maximum-values dialog, against loading a project of that maximal size from bytes in
// memory, measured in the same iteration. The counters give the ratio (target: at most 2).
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <map>

#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/save_all.h"
#include "core/editors/max_values.h"
#include "core/text/read_error.h"

namespace {

using namespace quillane;
using Clock = std::chrono::steady_clock;

data::MaxValues counts(bool top) {
  data::MaxValues m;
  auto pick = [top](data::CountRange r) { return top ? r.hi : r.lo; };
  m.players = pick(data::kPlayerRange), m.magicHeld = pick(data::kMagicHeldRange);
  m.itemsHeld = pick(data::kItemsHeldRange), m.levels = pick(data::kLevelRange);
  m.itemKinds = pick(data::kItemKindRange), m.armsKinds = pick(data::kArmsKindRange);
  m.magicKinds = pick(data::kMagicKindRange), m.maps = pick(data::kMapRange);
  m.enemyKinds = pick(data::kEnemyKindRange), m.events = pick(data::kEventRange);
  m.messages = pick(data::kMessageRange);
  m.scenery = m.maps;
  return m;
}

struct MemoryFiles : data::FileSource {
  std::map<std::string, std::string> files;  // upper-case name -> bytes
  static std::string upper(std::string s) {
    for (char& c : s)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
  }
  std::string read(const std::string& relative) override {
    auto it = files.find(upper(relative));
    if (it == files.end()) throw text::ReadError(relative, 0, "the file", "nothing");
    return it->second;
  }
};

struct Fixture {
  data::ProjectDatabase smallest;
  MemoryFiles largest;  // the files of the grown project
  Fixture() {
    data::RandomSource random(1);
    smallest = data::blankDatabase();
    data::installRegistration(smallest.hidden, data::makeRegistration("password", random));
    // Down to the minimum first (a blank project is a little larger), then up: the
    // project whose files are the baseline is the grown one itself.
    editors::applyMaxValues(smallest, counts(false));
    smallest.max = counts(false);
    data::ProjectDatabase grown = smallest;
    editors::applyMaxValues(grown, counts(true));
    for (auto& f : data::serializeTables(grown, random)) largest.files[MemoryFiles::upper(f.relative)] = f.content;
  }
};

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

double cpuNow() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void BM_GrowEveryTableVsLoadingTheGrownProject(benchmark::State& state) {
  static Fixture f;
  data::RandomSource random(2);
  const data::VersionInfo version{data::kWriteVersion, true};
  double load = 0, grow = 0, loadCpu = 0, growCpu = 0;
  for (auto _ : state) {
    auto t0 = Clock::now();
    double c0 = cpuNow();
    {
      data::ProjectDatabase db;
      data::loadAllFrom(f.largest, version, db, random);
      benchmark::DoNotOptimize(db.max.players);
    }
    auto t1 = Clock::now();
    double c1 = cpuNow();
    {
      data::ProjectDatabase db = f.smallest;
      editors::applyMaxValues(db, counts(true));
      benchmark::DoNotOptimize(db.players.name.size());
    }
    auto t2 = Clock::now();
    double c2 = cpuNow();
    load += seconds(t0, t1), grow += seconds(t1, t2);
    loadCpu += c1 - c0, growCpu += c2 - c1;
  }
  state.counters["load_ms"] = 1000 * load / state.iterations();
  state.counters["grow_ms"] = 1000 * grow / state.iterations();
  state.counters["ratio"] = grow / load;
  state.counters["cpu_ratio"] = growCpu / loadCpu;
}
BENCHMARK(BM_GrowEveryTableVsLoadingTheGrownProject)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
