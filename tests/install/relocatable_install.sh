#!/bin/sh
# Installs the build into a temporary prefix, moves the prefix elsewhere, and checks
# that the moved programs run and find their pictures there, that the desktop files
# validate, and that no installed file names a folder of the build machine.
#   relocatable_install.sh BUILD_DIR SOURCE_DIR
set -eu
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/first" >/dev/null
mv "$work/first" "$work/moved"
prefix=$work/moved

for f in bin/quillane bin/quillane-tool share/quillane/TITLE.BMP share/quillane/FONT.BMP \
         share/quillane/SYMBOL.BMP share/applications/quillane.desktop \
         share/metainfo/io.github.quillane.editor.metainfo.xml \
         share/icons/hicolor/48x48/apps/quillane.png share/icons/hicolor/256x256/apps/quillane.png \
         share/man/man1/quillane.1.gz share/man/man1/quillane-tool.1.gz; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done

# The command-line tool: version, help, usage on bad arguments, a real project.
"$prefix/bin/quillane-tool" --version | grep -q '^quillane-tool [0-9]' || fail "quillane-tool --version"
"$prefix/bin/quillane-tool" --help | grep -q 'usage: quillane-tool' || fail "quillane-tool --help"
status=0
"$prefix/bin/quillane-tool" frobnicate 2>"$work/usage" || status=$?
[ "$status" -eq 2 ] && grep -q usage "$work/usage" || fail "bad arguments must print the usage and exit 2"
"$prefix/bin/quillane-tool" new "$work/project" --password pw >/dev/null
"$prefix/bin/quillane-tool" check "$work/project" --password pw | grep -q OK || fail "moved quillane-tool cannot check a project"

# The editor: version and help without a display; then the welcome dialog offscreen in an
# empty program folder, which must read its title picture from the moved prefix.
"$prefix/bin/quillane" --version | grep -q '^quillane [0-9]' || fail "quillane --version"
"$prefix/bin/quillane" --help | grep -q -- '--user-folder' || fail "quillane --help"
mkdir "$work/program"
( cd "$work/program" && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
    timeout 8 strace -f -e trace=openat -o "$work/trace" "$prefix/bin/quillane" >/dev/null 2>&1 ) || true
grep -v ENOENT "$work/trace" | grep -q "$prefix/share/quillane/TITLE.BMP" ||
  fail "the moved editor did not open its title picture from $prefix/share/quillane"
[ -f "$work/program/zov.ini" ] || fail "the editor did not reach its welcome dialog (no zov.ini written)"

# Started from the menu: the program folder is the user's data folder, made when missing.
mkdir "$work/home"
( cd "$work" && HOME="$work/home" XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
    timeout 5 "$prefix/bin/quillane" --user-folder >/dev/null 2>&1 ) || true
[ -f "$work/home/.local/share/quillane/zov.ini" ] || fail "--user-folder did not use ~/.local/share/quillane"

desktop-file-validate "$prefix/share/applications/quillane.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.quillane.editor.metainfo.xml" >"$work/as" 2>&1 ||
  { cat "$work/as"; fail "AppStream metadata"; }

# No installed file may carry a folder of the build machine.
for dir in "$(cd "$source" && pwd)" "$(cd "$build" && pwd)"; do
  if grep -rlF "$dir" "$prefix" >"$work/leaks"; then cat "$work/leaks"; fail "installed files name $dir"; fi
done
echo "relocatable install: ok"
