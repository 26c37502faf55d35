#!/bin/sh
# Configures and builds the project into build/ (or $BUILD_DIR).
set -e
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
LAUNCHER=""
command -v ccache >/dev/null 2>&1 && LAUNCHER="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $LAUNCHER >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)" "$@"
