#!/bin/sh
# Runs every fuzz target of a sanitized build (scripts/test-sanitized.sh) for a bounded
# time: FUZZ_SECONDS each (default 30), starting from the committed seeds in
# fuzz/corpus/<target> and the kept crash inputs in fuzz/regressions/<target>.
# A crash stops the run; copy the input it names into fuzz/regressions/<target>/ once
# mended, so it is replayed from then on.
set -e
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build-asan}"
SECONDS_EACH="${FUZZ_SECONDS:-30}"
WORK="$BUILD_DIR/fuzz-work"
mkdir -p "$WORK/artifacts"
for target in fuzz_tables fuzz_map_files fuzz_settings fuzz_manifest; do
  mkdir -p "$WORK/$target" "fuzz/regressions/$target"
  echo "fuzzing $target for ${SECONDS_EACH}s"
  "$BUILD_DIR/fuzz/$target" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
    -max_len=262144 -print_final_stats=1 -artifact_prefix="$WORK/artifacts/$target-" \
    "$WORK/$target" "fuzz/corpus/$target" "fuzz/regressions/$target" 2>"$WORK/$target.log" ||
    { tail -n 60 "$WORK/$target.log"; echo "$target: a crash, input kept under $WORK/artifacts"; exit 1; }
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$WORK/$target.log" | tr '\n' ' '
  echo
done
