#!/bin/sh
# Installs what is missing, builds, and runs the project's main job.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
sh scripts/build.sh
mkdir -p run/sample
[ -e run/sample/DAT ] || ./build/src/cli/quillane-tool new run/sample
./build/src/cli/quillane-tool check run/sample
