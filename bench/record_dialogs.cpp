// The record dialogs against their baselines, measured in the same run:
// - opening the item dialog on a record (making its window, the cancel copies, the name
//   lists, showing the record until it is painted) on a project of 999 items, 499 arms
//   records and 12 players, against LoadAll of that project's tables (target: ratio <= 1);
// - the animation-name list over a picture folder of 5,000 files, against listing the
//   folder's names (target: ratio <= 2).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <filesystem>
#include <fstream>

#include "core/data/blank_project.h"
#include "core/data/hidden_fields.h"
#include "core/data/load_all.h"
#include "core/data/save_all.h"
#include "core/editors/animation_names.h"
#include "gui/editors/item_dialog.h"
#include "gui/editors/record_form_parts.h"
#include "offscreen_main.h"
#include "paired_times.h"

namespace {

namespace fs = std::filesystem;
using namespace quillane;

using bench::cpuNow;

struct Project {
  fs::path folder = fs::temp_directory_path() / ("quillane-bench-records-" + std::to_string(::getpid()));
  Project() {
    fs::remove_all(folder);
    fs::create_directories(folder / "DAT");
    fs::create_directories(folder / "GRP");
    fs::create_directories(folder / "WAV");
    data::ProjectDatabase db = data::blankDatabase();
    db.max.itemKinds = 999, db.max.armsKinds = 499, db.max.players = 12;
    db.fitToCounts();
    const std::string name = text::sj("名前");
    for (auto& t : db.items.text) t.fill(name + "item text");
    for (auto& n : db.players.name) n = name + "player";
    for (int i = 0; i < 499; ++i) {
      db.items.armsIndex[static_cast<std::size_t>(i)] = static_cast<float>(i + 1);
      db.arms.attackSound[static_cast<std::size_t>(i)] = "ATC";
      db.arms.permission[static_cast<std::size_t>(i)].assign(13, 1);
    }
    data::RandomSource random(1);
    data::installRegistration(db.hidden, data::makeRegistration("password", random));
    if (!data::saveAll(folder, db, random, {}).ok) std::abort();
    // A picture folder of 5,000 files: 500 animations of 10 frames each.
    for (int i = 0; i < 5000; ++i)
      std::ofstream(folder / "GRP" / ("anim" + std::to_string(i / 10) + "_" + std::to_string(i % 10) + ".bmp"));
    for (int i = 0; i < 50; ++i) std::ofstream(folder / "WAV" / ("se" + std::to_string(i) + ".wav"));
  }
  ~Project() { fs::remove_all(folder); }
};

Project& project() {
  static Project p;
  return p;
}

// Answers the dialog with "OK" once its window has been painted: the measured opening
// ends when the user sees the record, not when show() returns.
class OkAfterPaint : public QObject {
 public:
  explicit OkAfterPaint(gui::ItemDialog& dialog) : dialog_(dialog) { dialog.installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) dialog_.post(gui::kRecordOk);  // children paint in the same pass
    return false;
  }

 private:
  gui::ItemDialog& dialog_;
};

// What a user waits for when "道具" is chosen and a record picked: the mode makes the
// dialog's window, enters the record (cancel copies, name lists, display) and shows it
// until it is painted. Reopening (another record from the chooser of the same mode)
// skips making the window and is reported apart, and so is reopening without painting
// (copies, name lists, display, show).
void BM_OpenItemDialogVsLoadAll(benchmark::State& state) {
  Project& p = project();
  data::RandomSource random(2);
  data::ProjectDatabase db;
  data::loadAll(p.folder, db, random);
  double load = 0, open = 0, build = 0, reopen = 0, enter = 0;
  for (auto _ : state) {
    double t0 = cpuNow();
    data::ProjectDatabase loaded;
    data::loadAll(p.folder, loaded, random);
    double t1 = cpuNow();
    gui::ItemDialog dialog(db, p.folder, nullptr);
    OkAfterPaint ok(dialog);
    double t2 = cpuNow();
    benchmark::DoNotOptimize(dialog.run(250));
    double t3 = cpuNow();
    benchmark::DoNotOptimize(dialog.run(251));
    double t4 = cpuNow();
    // Entering a record without painting: what of reopening is not drawing the window.
    dialog.post(gui::kRecordOk);
    benchmark::DoNotOptimize(dialog.run(252));
    double t5 = cpuNow();
    load += t1 - t0;
    build += t2 - t1;
    open += t3 - t1;
    reopen += t4 - t3;
    enter += t5 - t4;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["load_ms"] = 1000 * load / n;
  state.counters["open_ms"] = 1000 * open / n;
  state.counters["widgets_ms"] = 1000 * build / n;
  state.counters["reopen_ms"] = 1000 * reopen / n;
  state.counters["unpainted_ms"] = 1000 * enter / n;
  state.counters["ratio"] = open / load;
  state.counters["reopen_ratio"] = reopen / load;
}
BENCHMARK(BM_OpenItemDialogVsLoadAll)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_AnimationNamesVsListing(benchmark::State& state) {
  Project& p = project();
  double list = 0, names = 0;
  std::size_t found = 0;
  for (auto _ : state) {
    double t0 = cpuNow();
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(p.folder / "GRP")) files.push_back(entry.path().filename().string());
    double t1 = cpuNow();
    found += editors::animationNamesInFolder(p.folder).size();
    double t2 = cpuNow();
    benchmark::DoNotOptimize(files.data());
    list += t1 - t0;
    names += t2 - t1;
  }
  benchmark::DoNotOptimize(found);
  state.counters["list_ms"] = 1000 * list / static_cast<double>(state.iterations());
  state.counters["names_ms"] = 1000 * names / static_cast<double>(state.iterations());
  state.counters["ratio"] = names / list;
}
BENCHMARK(BM_AnimationNamesVsListing)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) { return runOffscreenBenchmarks(argc, argv); }
