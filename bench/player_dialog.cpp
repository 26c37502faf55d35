// The player dialog on a project of 12 players and 99 levels: opening it on a player (the
// first entry: catalogue lists, cancel copies, every field, level table, graph) against
// LoadAll of the same project's tables, and one drag adjustment with its graph redraw
// against opening, each pair measured in the same iteration. Creating the window's
// widgets, done once per run, is reported beside them (create_ms), and so is a reopening
// after "▲"/"▼" (reopen_ratio). Times are CPU times of
// this thread: on a shared, busy machine wall times mostly measure waiting.
// Targets: open_ratio <= 1, drag_ratio <= 0.05.
#include <benchmark/benchmark.h>

#include "offscreen_main.h"
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <memory>

#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/save_all.h"
#include "gui/editors/player_dialog.h"

namespace {

namespace fs = std::filesystem;
using namespace quillane;

struct Project {
  fs::path folder = fs::temp_directory_path() / ("quillane-bench-players-" + std::to_string(::getpid()));
  data::ProjectDatabase db;

  Project() {
    fs::remove_all(folder);
    fs::create_directories(folder / "DAT");
    db = data::blankDatabase();
    db.max.players = 12;
    db.max.levels = 99;
    db.fitToCounts();
    for (int p = 0; p <= 12; ++p) {
      db.players.name[p] = text::sj("勇者") + std::to_string(p);
      db.players.level[p] = 1;
      db.players.maxHp[p] = 30;
      for (int l = 0; l < 99; ++l) {
        db.levels.hpGain[p][l] = static_cast<float>(5 + l % 7);
        db.levels.experience[p][l] = 100 * l;
        db.levels.magicLearned[p][l] = static_cast<float>(l % 3);
      }
    }
    data::RandomSource random(1);
    data::installRegistration(db.hidden, data::makeRegistration("password", random));
    data::SaveRequest request;
    if (!data::saveAll(folder, db, random, request).ok) std::abort();
  }
  ~Project() { fs::remove_all(folder); }
};

double cpuNow() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

std::unique_ptr<gui::PlayerDialog> newDialog(Project& project) {
  return std::make_unique<gui::PlayerDialog>(project.db, project.folder, QImage(512, 512, QImage::Format_RGB32));
}

void BM_OpenVsLoadAll(benchmark::State& state) {
  Project project;
  data::RandomSource random(2);
  double load = 0, open = 0, create = 0, reopen = 0;
  for (auto _ : state) {
    const double t0 = cpuNow();
    data::ProjectDatabase loaded;
    data::loadAll(project.folder, loaded, random);
    const double t1 = cpuNow();
    auto dialog = newDialog(project);
    const double t2 = cpuNow();
    dialog->enter(3);
    const double t3 = cpuNow();
    dialog->enter(4);  // as after "▼": the lists are filled already
    const double t4 = cpuNow();
    benchmark::DoNotOptimize(dialog.get());
    load += t1 - t0, create += t2 - t1, open += t3 - t2, reopen += t4 - t3;
  }
  state.counters["load_ms"] = 1000 * load / state.iterations();
  state.counters["open_ms"] = 1000 * open / state.iterations();
  state.counters["create_ms"] = 1000 * create / state.iterations();
  state.counters["open_ratio"] = open / load;
  state.counters["reopen_ratio"] = reopen / load;
}
BENCHMARK(BM_OpenVsLoadAll)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_DragVsOpen(benchmark::State& state) {
  Project project;
  double open = 0, drag = 0;
  int y = 10;
  for (auto _ : state) {
    auto dialog = newDialog(project);
    const double t0 = cpuNow();
    dialog->enter(3);
    const double t1 = cpuNow();
    dialog->dragGraph(70, y);
    const double t2 = cpuNow();
    y = y == 10 ? 60 : 10;
    open += t1 - t0, drag += t2 - t1;
  }
  state.counters["open_ms"] = 1000 * open / state.iterations();
  state.counters["drag_ms"] = 1000 * drag / state.iterations();
  state.counters["drag_ratio"] = drag / open;
}
BENCHMARK(BM_DragVsOpen)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) { return runOffscreenBenchmarks(argc, argv); }
