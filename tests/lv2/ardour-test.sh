#!/usr/bin/env bash
# Ardour 7 headless: renders a held chord through the arpeggiator on a MIDI track (ardour/render.lua)
# and checks the notes (check-ardour-render.py). Ardour runs with a configuration folder of its
# own, so nothing of the machine's Ardour settings is read or changed.
# Usage: ardour-test.sh LV2_BUNDLES_DIR | --vst3 VST3_BUNDLE   (exit 77: Ardour is not installed)
# The VST3 bundle is made known to Ardour's cache in the order that works for a new bundle:
# installed in ~/.vst3, Ardour started once with its engine and a session (its scan log records
# the bundle), Ardour's VST3 scanner run on it; then the render.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scanner=/usr/lib/ardour7/ardour-vst3-scanner
vst3=""
[ "${1:-}" = --vst3 ] && { vst3=$2; shift; }
if ! command -v ardour7-lua >/dev/null || { [ -n "$vst3" ] && [ ! -x "$scanner" ]; }; then
    echo "ardour-test skipped: ardour7-lua or its VST3 scanner is missing (scripts/install-deps.sh lv2 installs ardour)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config/ardour7/scripts"
cp "$here/ardour/held_chord.lua" "$here/ardour/midi_recorder.lua" "$work/config/ardour7/scripts/"
export XDG_CONFIG_HOME=$work/config HOME=$work ARP_ARDOUR_OUT=$work/rendered.txt
# Ardour's own start-up takes a few seconds, the song four; a hang ends here.
run() { timeout -k 5 90 ardour7-lua "$here/ardour/render.lua" >>"$work/ardour.log" 2>&1; }
if [ -n "$vst3" ]; then
    export ARP_ARDOUR_VST3=1
    mkdir -p "$HOME/.vst3" && cp -r "$vst3" "$HOME/.vst3/"
    ARP_ARDOUR_SCAN_ONLY=1 ARP_ARDOUR_SESSION=$work/first run
    LD_LIBRARY_PATH=/usr/lib/ardour7 timeout 60 "$scanner" -f "$HOME/.vst3/$(basename "$vst3")" \
        >>"$work/ardour.log" 2>&1
else
    # Ardour takes only an absolute LV2_PATH.
    export LV2_PATH=$(realpath "$1")
fi
ARP_ARDOUR_SESSION=$work/session run
status=$?
grep -v -e '^MIDI Clock' -e '^MTC' "$work/ardour.log"
if [ $status -ne 0 ] || [ ! -s "$ARP_ARDOUR_OUT" ]; then
    echo "ardour-test: ardour7-lua failed (status $status) or recorded nothing"
    exit 1
fi
exec /usr/bin/python3 "$here/check-ardour-render.py" "$ARP_ARDOUR_OUT"
