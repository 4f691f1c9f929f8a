#!/usr/bin/env bash
# Compiles the help file Arpeggiator.chm from this folder with chmcmd (Debian's fp-utils):
# the pages, the contents and index, the pictures, and the chord names page, which is written
# at build time from the recogniser's own dictionary (tools/make-chord-page.cpp, built with the
# build machine's compiler), so it cannot drift from what the page recognises.
# Fails on any warning or error chmcmd reports (a missing file or a broken link among them).
# The file is not byte-reproducible: chmcmd stores its compile time (and one word it leaves
# uninitialised) in the file's header.
# Usage: help/build-help.sh OUT.chm
set -euo pipefail
out=$(realpath -m "$1")
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
command -v chmcmd >/dev/null || { echo "build-help.sh: chmcmd not found (scripts/install-deps.sh shipping)" >&2; exit 127; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$here"/*.htm "$here"/style.css "$here"/Arpeggiator.hh? "$stage"/
cp -r "$here"/images "$stage"/
"${CXX_FOR_BUILD:-c++}" -std=c++20 -I "$root/MIDIPlugin" "$here/tools/make-chord-page.cpp" \
    -o "$stage/make-chord-page"
"$stage/make-chord-page" >"$stage/chords.htm"

log=$stage/chmcmd.log
(cd "$stage" && chmcmd --html-scan Arpeggiator.hhp) >"$log" 2>&1 || {
    cat "$log" >&2
    echo "build-help.sh: chmcmd failed" >&2
    exit 1
}
if grep -qiE 'warning|error|hint|not found' "$log"; then
    grep -iE 'warning|error|hint|not found' "$log" >&2
    echo "build-help.sh: chmcmd reported the problems above" >&2
    exit 1
fi
mkdir -p "$(dirname "$out")"
cp "$stage/Arpeggiator.chm" "$out"
echo "build-help.sh: wrote $out"
