#pragma once
// The main of a benchmark that builds windows: an offscreen QApplication around the
// registered benchmarks.
#include <QApplication>
#include <benchmark/benchmark.h>

inline int runOffscreenBenchmarks(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
