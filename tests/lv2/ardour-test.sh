#!/usr/bin/env bash
# Ardour 7 headless: renders a held chord through the arpeggiator on a MIDI track (ardour/render.lua)
# and checks the notes (check-ardour-render.py). Ardour runs with a configuration folder of its
# own, so nothing of the machine's Ardour settings is read or changed.
# Usage: ardour-test.sh LV2_BUNDLES_DIR   (exit 77: Ardour is not installed)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v ardour7-lua >/dev/null; then
    echo "ardour-test skipped: ardour7-lua is missing (scripts/install-deps.sh lv2 installs ardour)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config/ardour7/scripts"
cp "$here/ardour/held_chord.lua" "$here/ardour/midi_recorder.lua" "$work/config/ardour7/scripts/"

# Ardour takes only an absolute LV2_PATH.
export XDG_CONFIG_HOME=$work/config HOME=$work LV2_PATH=$(realpath "$1")
export ARP_ARDOUR_OUT=$work/rendered.txt ARP_ARDOUR_SESSION=$work/session
# Ardour's own start-up takes a few seconds, the song four; a hang ends here.
timeout -k 5 90 ardour7-lua "$here/ardour/render.lua" >"$work/ardour.log" 2>&1
status=$?
grep -v -e '^MIDI Clock' -e '^MTC' "$work/ardour.log"
if [ $status -ne 0 ] || [ ! -s "$ARP_ARDOUR_OUT" ]; then
    echo "ardour-test: ardour7-lua failed (status $status) or recorded nothing"
    exit 1
fi
exec /usr/bin/python3 "$here/check-ardour-render.py" "$ARP_ARDOUR_OUT"
