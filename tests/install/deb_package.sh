#!/bin/sh
# Builds the Debian package from the build folder and checks it: the files it installs,
# dependencies computed from the programs' libraries, and no lintian error.
#   deb_package.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

( cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1 ) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/quillane_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no quillane_*.deb was made"

dpkg-deb -c "$deb" >"$work/contents"
for f in ./usr/bin/quillane ./usr/bin/quillane-tool ./usr/share/quillane/TITLE.BMP \
         ./usr/share/applications/quillane.desktop ./usr/share/doc/quillane/copyright \
         ./usr/share/man/man1/quillane.1.gz; do
  grep -q " $f\$" "$work/contents" || fail "$f is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends" | grep -q 'libqt6widgets6' || fail "dependencies were not computed: $depends"
echo "$depends" | grep -q 'libsdl2-mixer' || fail "dependencies were not computed: $depends"

lintian --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || true
if grep -q '^E:' "$work/lintian"; then cat "$work/lintian"; fail "lintian reports errors"; fi
echo "debian package: ok ($(basename "$deb"))"
