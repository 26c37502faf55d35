#!/bin/sh
# Installs what is missing, builds, and runs every test under CTest.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
sh scripts/build.sh
cd "${BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy
export XDG_RUNTIME_DIR="$(mktemp -d)"
ctest --output-on-failure -j"$(nproc)" --timeout 300
