#!/usr/bin/env bash
# Ardour 7 headless renders a held chord through the VST3 plug-in (tests/lv2/ardour/render.lua), checked
# as the LV2 bundle's render is (tests/lv2/check-ardour-render.py). In a scratch HOME, in the order
# that makes Ardour's cache know a new bundle: install it in ~/.vst3, start Ardour once with its
# engine and a session (its scan log records the bundle), run Ardour's VST3 scanner on it, then
# render.
# Usage: ardour-vst3-test.sh VST3_BUNDLE   (exit 77: Ardour is not installed)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lv2tests=$here/../lv2
scanner=/usr/lib/ardour7/ardour-vst3-scanner
if ! command -v ardour7-lua >/dev/null || [ ! -x "$scanner" ]; then
    echo "ardour-vst3-test skipped: ardour7-lua or its VST3 scanner is missing (install-deps.sh lv2)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/.config ARP_ARDOUR_OUT=$work/rendered.txt
mkdir -p "$HOME/.vst3" "$XDG_CONFIG_HOME/ardour7/scripts"
cp -r "$1" "$HOME/.vst3/"
cp "$lv2tests/ardour/held_chord.lua" "$lv2tests/ardour/midi_recorder.lua" "$XDG_CONFIG_HOME/ardour7/scripts/"

export ARP_ARDOUR_VST3=1
run() { timeout -k 5 90 ardour7-lua "$lv2tests/ardour/render.lua" >>"$work/ardour.log" 2>&1; }
ARP_ARDOUR_SCAN_ONLY=1 ARP_ARDOUR_SESSION=$work/first run
LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 "$scanner" -f "$HOME/.vst3/$(basename "$1")" >>"$work/ardour.log" 2>&1
ARP_ARDOUR_SESSION=$work/session run
status=$?
grep -v -e '^MIDI Clock' -e '^MTC' "$work/ardour.log"
if [ $status -ne 0 ] || [ ! -s "$ARP_ARDOUR_OUT" ]; then
    echo "ardour-vst3-test: ardour7-lua failed (status $status) or recorded nothing"
    exit 1
fi
exec /usr/bin/python3 "$lv2tests/check-ardour-render.py" "$ARP_ARDOUR_OUT"
