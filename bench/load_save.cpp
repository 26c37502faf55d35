// LoadAll, SaveAll and `quillane-tool check` on a maximal project, each against its
// baseline measured in the same iteration. The project is made here: every count of
// MaxValues at the top of its range (98 players, 999 levels, 999 items, 499 arms, 999
// magic, 999 enemies, 999 maps) and 200 maps whose files hold 100 events of 100 script
// lines each. Every counter is a median over the iterations.
//
//   BM_LoadAll      ratio      LoadAll / read() of the same table files into one reused buffer
//                   (loaded over the project loaded before, as the editor opens one)
//                   calling_cpu_ms, second_cpu_ms  the load's CPU on the calling thread, on the other
//   BM_LoadAllOneThread        the same with every table read on the calling thread
//   BM_SaveAll      ratio      SaveAll wall / writing the same bytes, each file flushed, then the folder
//                   cpu_ratio  SaveAll CPU / CPU of that flushed writing
//                   cpu_ratio_unflushed  SaveAll CPU / CPU of writing the same bytes without a flush
//   BM_CheckVsCat   ratio      `quillane-tool check DIR` / `cat` of the table files, whole processes
//                   check_peak_mb  the check's peak resident memory (measured under /usr/bin/time)
//   BM_ReadMap      ratio      reading the largest map / read() of its three files
//
// QUILLANE_BENCH_KEEP=DIR writes the maximal project into DIR and keeps it.
// QUILLANE_TOOL=PATH names quillane-tool (default: beside this build's bench folder).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "../tests/core/maximal_project.h"
#include "core/data/load_all.h"
#include "core/data/map_context.h"
#include "core/data/process_memory.h"
#include "core/data/table_walks.h"
#include "core/data/save_all.h"
#include "core/map/map_file_names.h"
#include "core/map/map_files.h"
#include "core/text/project_files.h"
#include "paired_times.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace quillane;
using bench::PhaseTimes;

constexpr int kMapsWithFiles = 200;

struct Fixture {
  fs::path folder;
  data::ProjectDatabase db;
  map::MapDocument map;
  std::vector<fs::path> tables;          // the files LoadAll reads
  std::vector<fs::path> mapFiles;        // map 1's three files
  std::vector<files::NamedFile> saved;   // what a save writes, for the write baselines
  std::size_t largest = 0;

  Fixture() {
    const char* keep = std::getenv("QUILLANE_BENCH_KEEP");
    folder = keep ? fs::path(keep) : fs::temp_directory_path() / ("quillane-bench-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "DAT");
    db = testing::maximalDatabase();
    map = testing::maximalMap();
    data::RandomSource random(2);
    data::SaveRequest request;
    request.mapNumber = 1;
    request.mapFiles = map::writeMapFiles(map, 1, data::mapContext(db), random);
    if (!data::saveAll(folder, db, random, request).ok) std::abort();
    // Maps 2..200 get the same three files (the keys are the project's, not the map's).
    for (int n = 2; n <= kMapsWithFiles; ++n) {
      const std::string names[] = {map::mapBodyFileName(n), map::mapEventFileName(n), map::mapFlagFileName(n)};
      for (std::size_t k = 0; k < 3; ++k)
        files::writeFileSynced(files::writePath(folder, names[k]), request.mapFiles[k].content);
    }
    for (const data::TableFile* t : data::loadOrder()) tables.push_back(*files::findExisting(folder, t->readName));
    for (const auto& name : {map::mapBodyFileName(1), map::mapEventFileName(1), map::mapFlagFileName(1)})
      mapFiles.push_back(*files::findExisting(folder, name));
    saved = data::serializeTables(db, random);
    for (auto& f : request.mapFiles) saved.push_back(f);
    for (const auto& p : tables) largest = std::max<std::size_t>(largest, fs::file_size(p));
    for (const auto& p : mapFiles) largest = std::max<std::size_t>(largest, fs::file_size(p));
  }
  ~Fixture() {
    if (!std::getenv("QUILLANE_BENCH_KEEP")) fs::remove_all(folder);
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

// The baseline of reading: open, read() into one buffer reused for every file (never
// zero-filled), close.
std::size_t readPlain(const std::vector<fs::path>& paths, char* buffer, std::size_t size) {
  std::size_t total = 0;
  for (const auto& p : paths) {
    int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) std::abort();
    for (ssize_t n; (n = ::read(fd, buffer, size)) > 0;) total += static_cast<std::size_t>(n);
    ::close(fd);
  }
  return total;
}

// The baselines of writing: each file created, written and (when `flush`) fsynced, then
// the folder fsynced.
void writePlain(const fs::path& dir, const std::vector<files::NamedFile>& out, bool flush) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    int fd = ::open((dir / ("f" + std::to_string(i))).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) std::abort();
    const std::string& b = out[i].content;
    for (std::size_t done = 0; done < b.size();) {
      ssize_t n = ::write(fd, b.data() + done, b.size() - done);
      if (n <= 0) std::abort();
      done += static_cast<std::size_t>(n);
    }
    if (flush) ::fsync(fd);
    ::close(fd);
  }
  if (flush) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::fsync(fd);
    ::close(fd);
  }
}

// CPU seconds of the calling thread alone.
double threadCpuNow() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// As the editor opens a project: into its one database, which holds the project
// loaded before (taken apart within the load).
void loadAllAgainstRead(benchmark::State& state, data::LoadThreads threads) {
  Fixture& f = fixture();
  data::RandomSource random(3);
  std::unique_ptr<char[]> buffer(new char[f.largest + 1]);
  data::ProjectDatabase db;
  PhaseTimes t;
  std::size_t total = 0;
  std::vector<double> calling, second;  // CPU ms of the calling thread, of the others
  for (auto _ : state) {
    t.time(0, [&] { total += readPlain(f.tables, buffer.get(), f.largest + 1); });
    const double c0 = threadCpuNow(), p0 = bench::cpuNow();
    t.time(1, [&] {
      data::loadAll(f.folder, db, random, nullptr, threads);
      benchmark::DoNotOptimize(db.levels.hpGain.data());
    });
    const double c1 = threadCpuNow(), p1 = bench::cpuNow();
    calling.push_back(1000 * (c1 - c0));
    second.push_back(1000 * ((p1 - p0) - (c1 - c0)));
  }
  benchmark::DoNotOptimize(total);
  t.reportMs(state, 0, "read_ms");
  t.reportMs(state, 1, "load_ms");
  t.reportRatio(state, 1, 0, "ratio");
  state.counters["calling_cpu_ms"] = bench::median(calling);
  state.counters["second_cpu_ms"] = bench::median(second);
}

void BM_LoadAll(benchmark::State& state) { loadAllAgainstRead(state, data::LoadThreads::Auto); }
BENCHMARK(BM_LoadAll)->Unit(benchmark::kMillisecond)->Iterations(21);

// The same on the calling thread alone (as on a machine with one processor).
void BM_LoadAllOneThread(benchmark::State& state) { loadAllAgainstRead(state, data::LoadThreads::One); }
BENCHMARK(BM_LoadAllOneThread)->Unit(benchmark::kMillisecond)->Iterations(21);

void BM_ReadMap(benchmark::State& state) {
  Fixture& f = fixture();
  const map::MapFileContext context = data::mapContext(f.db);
  std::unique_ptr<char[]> buffer(new char[f.largest + 1]);
  PhaseTimes t;
  for (auto _ : state) {
    t.time(0, [&] { benchmark::DoNotOptimize(readPlain(f.mapFiles, buffer.get(), f.largest + 1)); });
    t.time(1, [&] { benchmark::DoNotOptimize(map::readMap(f.folder, 1, context).width); });
  }
  t.reportMs(state, 0, "read_ms");
  t.reportMs(state, 1, "map_ms");
  t.reportRatio(state, 1, 0, "ratio");
}
BENCHMARK(BM_ReadMap)->Unit(benchmark::kMillisecond)->Iterations(21);

void BM_SaveAll(benchmark::State& state) {
  Fixture& f = fixture();
  data::RandomSource random(4);
  const fs::path scratch = f.folder / "scratch";
  fs::create_directories(scratch);
  PhaseTimes t;
  for (auto _ : state) {
    t.time(0, [&] { writePlain(scratch, f.saved, false); });
    t.time(1, [&] { writePlain(scratch, f.saved, true); });
    t.time(2, [&] {
      data::SaveRequest request;
      request.mapNumber = 1;
      request.mapFiles = map::writeMapFiles(f.map, 1, data::mapContext(f.db), random);
      if (!data::saveAll(f.folder, f.db, random, request).ok) state.SkipWithError("save failed");
    });
  }
  fs::remove_all(scratch);
  t.reportMs(state, 0, "write_ms");
  t.reportMs(state, 1, "write_flushed_ms");
  t.reportMs(state, 2, "save_ms");
  t.reportCpuMs(state, 1, "write_flushed_cpu_ms");
  t.reportCpuMs(state, 2, "save_cpu_ms");
  t.reportRatio(state, 2, 1, "ratio");
  t.reportCpuRatio(state, 2, 0, "cpu_ratio_unflushed");
}
BENCHMARK(BM_SaveAll)->Unit(benchmark::kMillisecond)->Iterations(15);

// Runs argv with its output to /dev/null; wall seconds, CPU seconds (user + system).
struct ChildRun {
  double wall = 0, cpu = 0;
  int status = -1;
};
ChildRun runChild(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  ChildRun run;
  const auto t0 = std::chrono::steady_clock::now();
  pid_t pid;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) std::abort();
  rusage use{};
  wait4(pid, &run.status, 0, &use);
  run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  posix_spawn_file_actions_destroy(&actions);
  run.cpu = use.ru_utime.tv_sec + use.ru_stime.tv_sec + 1e-6 * (use.ru_utime.tv_usec + use.ru_stime.tv_usec);
  return run;
}

std::string toolPath() {
  if (const char* tool = std::getenv("QUILLANE_TOOL")) return tool;
  return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "src" / "cli" / "quillane-tool").string();
}

void BM_CheckVsCat(benchmark::State& state) {
  Fixture& f = fixture();
  std::vector<std::string> cat = {"/bin/cat"};
  for (const auto& p : f.tables) cat.push_back(p.string());
  const std::vector<std::string> check = {toolPath(), "check", f.folder.string()};
  PhaseTimes t;
  long peakKb = 0;
  for (auto _ : state) {
    ChildRun base = runChild(cat), work = runChild(check);
    if (base.status != 0 || work.status != 0) {
      state.SkipWithError("cat or quillane-tool check failed");
      break;
    }
    t.record(0, base.wall, base.cpu);
    t.record(1, work.wall, work.cpu);
  }
  // A spawned child's peak counts the memory of this process, which it shares until
  // exec: the peak is taken under GNU time, a small process that starts the check.
  const fs::path peakFile = f.folder / "check-peak";
  std::vector<std::string> timed = {"/usr/bin/time", "-f", "%M", "-o", peakFile.string()};
  timed.insert(timed.end(), check.begin(), check.end());
  if (fs::exists("/usr/bin/time") && runChild(timed).status == 0) peakKb = std::atol(files::readFile(peakFile)->c_str());
  t.reportMs(state, 0, "cat_ms");
  t.reportMs(state, 1, "check_ms");
  t.reportRatio(state, 1, 0, "ratio");
  state.counters["check_peak_mb"] = peakKb / 1024.0;
}
BENCHMARK(BM_CheckVsCat)->Unit(benchmark::kMillisecond)->Iterations(21);

}  // namespace

// The process takes its memory as the editor and quillane-tool do.
int main(int argc, char** argv) {
  quillane::data::setUpProcessMemory();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
