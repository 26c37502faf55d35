// quillane-tool lint against loading the same event files, measured in one run:
// 200 maps of 100 events with 100 script lines each. The counter "ratio" is
// (read + check) / read in wall time, "cpu_ratio" the same in CPU time; the target is at
// most 2.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/data/random_source.h"
#include "core/lint/script_checker.h"
#include "core/map/map_event_file.h"
#include "core/map/new_map.h"
#include "core/text/cp932.h"
#include "paired_times.h"

using namespace quillane;

namespace {

constexpr int kMaps = 200;

// Scripts as designers write them: messages, jumps to labels, flag tests, shops, moves.
std::string eventFile(int m) {
  map::MapDocument doc = map::newMapDocument(nullptr, false);
  doc.events.lastNumber = 99;
  const char* commands[] = {"MES,1:NEX", "CKF,3,4,1,=,*A,*B", "LBL,A:ITP,3,*B", "LBL,B:JMP,*A",
                            "YES,*A,*B", "MAP,2,5,0,1,99,2", "ELB,E" , "GSB,*E:FLG,NEX",
                            "ITS,3,1,2,3", "BTL,S,2,1,3,*B"};
  for (int e = 0; e < 100; ++e) {
    auto& rec = doc.events.records[e];
    rec.x = e % 80, rec.y = e / 80;
    for (int l = 0; l < 100; ++l)
      rec.lines[l] = {text::sj("「こんにちは」") + std::to_string(l), commands[(l + e + m) % 10]};
    rec.lines[100].message = event::kEndMarker;
    doc.events.grid.at(rec.x, rec.y) = {"01", "00", std::to_string(e)};
  }
  map::MapFileContext context;
  data::RandomSource random(static_cast<unsigned>(m + 1));
  return map::writeMapEventFile(doc, context, random);
}

void LintAgainstLoad(benchmark::State& state) {
  std::vector<std::string> files;
  for (int m = 0; m < kMaps; ++m) files.push_back(eventFile(m));
  map::MapFileContext context;
  lint::Limits limits;
  limits.maps = 999, limits.players = 12, limits.items = 999, limits.magic = 999, limits.enemies = 999;
  lint::ScriptChecker checker(limits);
  bench::PairedTimes times;
  std::size_t findings = 0;
  for (auto _ : state) {
    std::vector<lint::Finding> out;
    times.run(
        [&] {
          for (int m = 0; m < kMaps; ++m) benchmark::DoNotOptimize(map::readEventList(files[m], "E", context));
        },
        [&] {
          for (int m = 0; m < kMaps; ++m) checker.checkMap(m, map::readEventList(files[m], "E", context), out);
        });
    findings = out.size();
  }
  times.report(state, "load_ms", "lint_ms");
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(LintAgainstLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
