#!/bin/sh
# The checked build: the core, its tests and the fuzz targets built with clang under
# AddressSanitizer and UBSan in build-asan/ (the normal build/ is untouched); the core
# tests run once, then every fuzz target for a bounded time (scripts/fuzz.sh).
set -e
cd "$(dirname "$0")/.."
BUILD_DIR="${SANITIZED_BUILD_DIR:-build-asan}"
LAUNCHER=""
command -v ccache >/dev/null 2>&1 && LAUNCHER="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
# -O1 with line tables: readable reports, and a build about twice as fast as -O2 -g.
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" \
  -DCMAKE_CXX_COMPILER=clang++ -DQUILLANE_SANITIZE=ON $LAUNCHER >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=0:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The stopped-recovery crash trials run in the normal build; under the sanitizers
# they would take minutes and test no other code.
"$BUILD_DIR/tests/core_tests" --gtest_brief=1 \
  --gtest_filter=-CommitCrash.EveryStepOfASaveAndOfItsRecoveryStoppedGivesAllOldOrAllNew:CommitCrash.AStagingInTheFormOfEarlierBuildsIsFinishedOrUndoneAtEveryStep
sh scripts/fuzz.sh "$BUILD_DIR"
