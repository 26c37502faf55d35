#pragma once
// A baseline and the measured work run back to back in each iteration, so that their
// ratio is taken in one run on the same machine state.
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>

namespace quillane::bench {

// CPU time of this thread: on a shared, busy machine wall times mostly measure waiting.
inline double cpuNow() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Wall and CPU times of a baseline and of the measured work, summed over the iterations.
struct PairedTimes {
  using Clock = std::chrono::steady_clock;
  double base = 0, work = 0, baseCpu = 0, workCpu = 0;

  template <class Base, class Work>
  void run(Base&& baseline, Work&& measured) {
    auto t0 = Clock::now();
    double c0 = cpuNow();
    baseline();
    auto t1 = Clock::now();
    double c1 = cpuNow();
    measured();
    auto t2 = Clock::now();
    double c2 = cpuNow();
    base += seconds(t0, t1), work += seconds(t1, t2);
    baseCpu += c1 - c0, workCpu += c2 - c1;
  }

  // Mean milliseconds of both sides, their wall ratio and their CPU ratio.
  void report(benchmark::State& state, const char* baseName, const char* workName) const {
    state.counters[baseName] = 1000 * base / state.iterations();
    state.counters[workName] = 1000 * work / state.iterations();
    state.counters["ratio"] = work / base;
    state.counters["cpu_ratio"] = workCpu / baseCpu;
  }

 private:
  static double seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
  }
};

}  // namespace quillane::bench
