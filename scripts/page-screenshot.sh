#!/usr/bin/env bash
# Opens the editor page of the registered Arpeggiator.dll in Wine's property frame with
# pagehost.exe, saves a screenshot of the frame and closes it with its OK button. Needs an X
# display (run it under xvfb-run), xdotool and ImageMagick.
# Usage: page-screenshot.sh PREFIX PAGEHOST.exe OUT.png [pagehost options...]
set -euo pipefail
prefix=$1 pagehost=$2 out=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
report=$(mktemp)
trap 'rm -f "$report"' EXIT

"$here/../cmake/wine-run.sh" "$prefix" "$pagehost" --report-windows "$@" >"$report" &
host=$!
# The page shows within seconds; give up after 30 rather than wait for ever.
# Windows programs end their lines with CR LF.
shown() { tr -d '\r' <"$report" | grep -q '^shown$'; }
field() { tr -d '\r' <"$report" | grep "^$1 "; }
for _ in $(seq 1 300); do
    shown && break
    kill -0 "$host" 2>/dev/null || { echo "pagehost ended without showing the page" >&2; exit 1; }
    sleep 0.1
done
shown || { kill "$host"; echo "the page did not show" >&2; exit 1; }

read -r _ left top right bottom < <(field frame)
import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out"
read -r _ left top right bottom < <(field ok)
xdotool mousemove "$(((left + right) / 2))" "$(((top + bottom) / 2))" click 1
wait "$host"
