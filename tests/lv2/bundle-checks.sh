#!/usr/bin/env bash
# The bundle as the LV2 tools read it: lv2_validate finds no error, lv2info lists every port
# with the symbol, range and default below (the ranges the editor page keeps, the filter's
# defaults), the presets by name, and lv2bench runs the plug-in.
# Usage: bundle-checks.sh LV2_BUNDLES_DIR   (exit 77: the LV2 tools are not installed)
# No pipes into grep -q: it stops reading at the first match, and pipefail would count the
# writer's broken pipe as a failure.
set -uo pipefail
for tool in lv2_validate lv2info lv2bench; do
    command -v $tool >/dev/null || {
        echo "bundle-checks skipped: $tool is missing (scripts/install-deps.sh lv2)"
        exit 77
    }
done
bundle=$(realpath "$1")/arpeggiator.lv2
export LV2_PATH=$(realpath "$1")
status=0
fail() { echo "FAIL  $*"; status=1; }

validation=$(lv2_validate "$bundle"/*.ttl 2>&1)
echo "$validation" | tail -n 1
grep -q "^Found 0 errors" <<<"$validation" || { echo "$validation"; fail "lv2_validate"; }

info=$(lv2info urn:arpeggiator:lv2 2>/dev/null)
# symbol minimum maximum default, for every control port in index order from 3
expected="leftHandBottom 0 126 24
leftHandSpan 1 127 24
arpBottom 0 115 36
arpSpan 12 127 60
swing -100 100 10
rateUnits 0 2 2
noteValue 0 10 0
pathDirection 0 3 0
rateAmount 1 500 100
legato 10 99 50
playOriginals 0 1 0
leftHandWindowOn 0 1 0
keepInRange 0 1 1
enabled 0 1 1"
listed=$(echo "$info" | awk '
    /Symbol:/ { symbol = $2 }
    /Minimum:/ { min = $2 + 0 }
    /Maximum:/ { max = $2 + 0 }
    /Default:/ { print symbol, min, max, $2 + 0 }')
if [ "$listed" = "$expected" ]; then
    echo "ok    lv2info lists the 14 control ports with their ranges and defaults"
else
    fail "lv2info ports differ:"; diff <(echo "$expected") <(echo "$listed")
fi
for symbol in midi_in midi_out notify; do
    grep -q "Symbol: *$symbol$" <<<"$info" || fail "lv2info has no port $symbol"
done
for preset in "Rising sixteenths" "Chords from the left hand" "Slow ambient"; do
    grep -q "^[[:space:]]*$preset$" <<<"$info" || fail "lv2info lists no preset \"$preset\""
done
for point in '"Up, Down"' '"Down, Up"' '"Up, Up"' '"Down, Down"' '"Notes"' '"MIDI Ticks"' \
    '"Milliseconds"' '"1/32"' '"1/16 T"' '"Whole"'; do
    grep -qF "= $point" <<<"$info" || fail "lv2info shows no scale point $point"
done

bench=$(timeout 60 lv2bench urn:arpeggiator:lv2 2>&1)
if grep -qE '^[0-9.]+ urn:arpeggiator:lv2' <<<"$bench"; then
    echo "ok    lv2bench: $(grep -E 'urn:arpeggiator:lv2' <<<"$bench")"
else
    echo "$bench"; fail "lv2bench did not run the plug-in"
fi
[ $status -eq 0 ] && echo "bundle-checks: all hold"
exit $status
