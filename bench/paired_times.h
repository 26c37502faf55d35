#pragma once
// Baselines and the measured work run back to back in each iteration, so that their
// ratios are taken in one run on the same machine state. Each iteration is kept, and
// the counters are medians: one iteration disturbed by another process on the shared
// machine moves a median little, a mean or the last repetition a lot.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace quillane::bench {

// CPU time of the whole process, every thread counted (a load reads on two): on a
// shared, busy machine wall times mostly measure waiting. A baseline run on the
// calling thread alone gives the same figure as that thread's own time.
inline double cpuNow() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

inline double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Wall and CPU times of several phases (baselines and measured work), per iteration.
class PhaseTimes {
 public:
  using Clock = std::chrono::steady_clock;

  template <class Work>
  void time(int phase, Work&& work) {
    if (static_cast<std::size_t>(phase) >= wall_.size()) wall_.resize(phase + 1), cpu_.resize(phase + 1);
    const auto t0 = Clock::now();
    const double c0 = cpuNow();
    work();
    const double c1 = cpuNow();
    const auto t1 = Clock::now();
    wall_[phase].push_back(std::chrono::duration<double>(t1 - t0).count());
    cpu_[phase].push_back(c1 - c0);
  }
  // Records a phase timed elsewhere (a child process, say).
  void record(int phase, double wall, double cpu) {
    if (static_cast<std::size_t>(phase) >= wall_.size()) wall_.resize(phase + 1), cpu_.resize(phase + 1);
    wall_[phase].push_back(wall);
    cpu_[phase].push_back(cpu);
  }

  // Median milliseconds of a phase (wall).
  void reportMs(benchmark::State& state, int phase, const std::string& name) const {
    state.counters[name] = 1000 * median(wall_[phase]);
  }
  // Median of the per-iteration ratios work / base, of wall and CPU times.
  void reportRatio(benchmark::State& state, int work, int base, const std::string& name, bool cpuToo = true) const {
    state.counters[name] = median(ratios(wall_, work, base));
    if (cpuToo) state.counters["cpu_" + name] = median(ratios(cpu_, work, base));
  }
  // Median CPU milliseconds of a phase.
  void reportCpuMs(benchmark::State& state, int phase, const std::string& name) const {
    state.counters[name] = 1000 * median(cpu_[phase]);
  }
  void reportCpuRatio(benchmark::State& state, int work, int base, const std::string& name) const {
    state.counters[name] = median(ratios(cpu_, work, base));
  }

 private:
  static std::vector<double> ratios(const std::vector<std::vector<double>>& t, int work, int base) {
    std::vector<double> r;
    for (std::size_t i = 0; i < t[work].size() && i < t[base].size(); ++i)
      if (t[base][i] > 0) r.push_back(t[work][i] / t[base][i]);
    return r;
  }
  std::vector<std::vector<double>> wall_, cpu_;
};

// A baseline and the measured work: the common case of PhaseTimes.
struct PairedTimes {
  PhaseTimes phases;

  template <class Base, class Work>
  void run(Base&& baseline, Work&& measured) {
    phases.time(0, baseline);
    phases.time(1, measured);
  }

  // Median milliseconds of both sides, the median wall ratio and the median CPU ratio.
  void report(benchmark::State& state, const char* baseName, const char* workName) const {
    phases.reportMs(state, 0, baseName);
    phases.reportMs(state, 1, workName);
    phases.reportRatio(state, 1, 0, "ratio");
  }
};

}  // namespace quillane::bench
