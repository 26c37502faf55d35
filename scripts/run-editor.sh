#!/bin/sh
# Installs what is missing, builds, and opens the editor on the bundled sample project.
# The program folder (where zov.ini is kept) is run/; the first run points zov.ini at
# the sample so that the welcome dialog shows it. Until the repository's sample holds
# its data files, a blank project with the sample's pictures and sounds is made in
# run/sample.
set -e
cd "$(dirname "$0")/.."
ROOT="$(pwd)"
sh scripts/install-deps.sh
sh scripts/build.sh
BUILD="$ROOT/${BUILD_DIR:-build}"
mkdir -p run
PASSWORD="${QUILLANE_SAMPLE_PASSWORD:-quillane}"
if [ -d sample/DAT ]; then
  SAMPLE="$ROOT/sample"
else
  SAMPLE="$ROOT/run/sample"
  if [ ! -d "$SAMPLE/DAT" ]; then
    "$BUILD/src/cli/quillane-tool" new "$SAMPLE" --password "$PASSWORD"
    for f in GRP WAV mid font.BMP; do
      [ -e "sample/$f" ] && cp -r "sample/$f" "$SAMPLE/"
    done
  fi
fi
"$BUILD/src/cli/quillane-tool" check "$SAMPLE" --password "$PASSWORD" || true
if [ ! -e run/zov.ini ] && [ ! -e run/ZOV.INI ]; then
  (umask 077 && printf '"%s/","","%s", 75 , 1 , 1 ,' "$SAMPLE" "$PASSWORD" > run/zov.ini)
fi
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
  echo "No display: set DISPLAY (for example Xvfb :99 & DISPLAY=:99) to see the editor." >&2
  exit 1
fi
cd run
exec "$BUILD/src/gui/quillane"
