#!/bin/sh
# Installs what is missing, builds, and runs every test under CTest; then the checked
# build (core tests under ASan+UBSan, fuzz targets for a bounded time) in build-asan/.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
sh scripts/build.sh
(
  cd "${BUILD_DIR:-build}"
  export QT_QPA_PLATFORM=offscreen
  export SDL_AUDIODRIVER=dummy
  export XDG_RUNTIME_DIR="$(mktemp -d)"
  ctest --output-on-failure -j"$(nproc)" --timeout 300
)
[ "${QUILLANE_SKIP_SANITIZED:-0}" = 1 ] || sh scripts/test-sanitized.sh
