#!/bin/sh
# Installs every Debian package the editor, its tests and its benchmarks need.
# Safe to run again: packages already present are left alone.
set -e
PACKAGES="cmake ninja-build g++ pkg-config ccache \
  qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic \
  libsdl2-mixer-dev timgm6mb-soundfont \
  libgtest-dev libbenchmark-dev linux-perf time \
  clang libclang-rt-dev \
  xvfb xdotool imagemagick x11-utils \
  dpkg-dev file fakeroot lintian desktop-file-utils appstream strace \
  nlohmann-json3-dev"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y --no-install-recommends $missing
