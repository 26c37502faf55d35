#!/bin/sh
# quillane-tool dump and restore on the sample project: dump -> restore -> dump gives the
# same document; refused documents and folders that hold a project get nothing written.
# Usage: dump_restore.sh QUILLANE_TOOL MAKE_SAMPLE WORK_DIR
set -u
tool=$1
make_sample=$2
work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
fail() { echo "FAIL: $*"; exit 1; }

"$make_sample" sample >/dev/null || fail "make_sample"
"$tool" dump sample --password quill >first.json || fail "dump"
grep -q '"quillaneProject": 1' first.json || fail "no document"
"$tool" restore first.json restored --password quill >/dev/null || fail "restore"
"$tool" check restored --password quill >/dev/null || fail "the restored project does not load"
"$tool" dump restored --password quill >second.json || fail "dump of the restored project"
cmp -s first.json second.json || fail "dump -> restore -> dump differs"
cat first.json | "$tool" restore - piped --password quill >/dev/null || fail "restore from standard input"

# Refused: nothing is written, the message names the key.
sed 's/"title": "[^"]*"/"title": "say \\"hi\\""/' first.json >quote.json
"$tool" restore quote.json refused --password quill 2>err.txt && fail "a double quote was accepted"
grep -q 'initialValues.title: a double quote' err.txt || fail "message: $(cat err.txt)"
[ -e refused ] && fail "a refused document wrote something"
head -c 100 first.json >cut.json
"$tool" restore cut.json refused --password quill 2>err.txt && fail "bad JSON was accepted"
grep -q 'not valid JSON' err.txt || fail "message: $(cat err.txt)"
[ -e refused ] && fail "bad JSON wrote something"

# A folder that holds a project is written over only with --force and its own password.
before=$(cat restored/DAT/* | md5sum)
"$tool" restore first.json restored --password quill 2>err.txt && fail "a project was overwritten without --force"
grep -q 'already holds a project' err.txt || fail "message: $(cat err.txt)"
"$tool" restore first.json restored --password other --force 2>err.txt && fail "overwritten with another password"
[ "$(cat restored/DAT/* | md5sum)" = "$before" ] || fail "a refused restore changed the project"
"$tool" restore first.json restored --password quill --force >/dev/null || fail "restore --force"
[ -d restored/DATbk ] || fail "no backup of the overwritten project"
"$tool" dump restored --password quill | cmp -s first.json - || fail "dump after --force differs"
echo OK
