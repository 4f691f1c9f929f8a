#!/usr/bin/env bash
# arphost's handling of scenarios it must refuse: exit status 2, a message naming the call and
# the field, and no output line for the bad call or any call after it.
# Usage: malformed_scenarios.sh ARPHOST
set -u
arphost=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passed=0

# expect_refusal NAME LINES MESSAGE SCENARIO: LINES output lines (the calls before the bad one)
# and MESSAGE somewhere in the error text.
expect_refusal() {
    local name=$1 lines=$2 message=$3 scenario=$4
    printf '%s' "$scenario" > "$work/scenario.json"
    "$arphost" "$work/scenario.json" > "$work/out" 2> "$work/err"
    local status=$?
    local printed
    printed=$(wc -l < "$work/out")
    if [[ $status -ne 2 ]] || [[ $printed -ne $lines ]] || ! grep -qF -- "$message" "$work/err"; then
        echo "FAIL $name: status $status (want 2), $printed lines (want $lines)"
        echo "  want message containing: $message"
        echo "  got: $(cat "$work/err")"
        failures=$((failures + 1))
    else
        passed=$((passed + 1))
    fi
}

nines=$(printf '0%.0s' {1..34})
zeros152=$(printf '0%.0s' {1..152})

expect_refusal "not JSON" 0 "arphost: not valid JSON" '{"calls": ['
expect_refusal "not an object" 0 "the scenario: expected a JSON object" '[1, 2]'
expect_refusal "unknown top-level field" 0 "arphost: cals: unknown field" '{"cals": []}'
expect_refusal "unknown parameter field" 0 "arphost: params.tempo: unknown parameter field" \
    '{"params": {"tempo": 120}}'
expect_refusal "parameter beyond int32" 0 \
    "params.swing: expected an integer -2147483648..2147483647" '{"params": {"swing": 2147483648}}'
expect_refusal "settings image of the wrong length" 0 \
    "paramsHex: expected a string of 152 or 104 hex digits" '{"paramsHex": "0011"}'
expect_refusal "settings image refused by Load" 0 \
    "paramsHex: rejected by IPersistStream::Load (hr 0x80004005)" "{\"paramsHex\": \"$zeros152\"}"
expect_refusal "unknown service" 0 "host.services[1]: expected" \
    '{"host": {"services": ["timeConverter", "midi"]}}'
expect_refusal "calls not a list" 0 "calls: expected an array" '{"calls": {}}'

expect_refusal "unknown op" 1 'call 1: op: unknown operation "Tick"' \
    '{"calls": [{"op": "SetClock", "ms": 5}, {"op": "Tick"}, {"op": "FlushHeld"}]}'
expect_refusal "missing op" 0 "call 0: op: missing" '{"calls": [{"ms": 5}]}'
expect_refusal "call not an object" 0 "call 0: expected an object" '{"calls": [7]}'
expect_refusal "key beyond 8 bits" 3 \
    "call 3 (FilterEvents): events[2].key: expected an integer 0..255" \
    '{"calls": [{"op": "SetClock", "ms": 0}, {"op": "PlaybackStopped"}, {"op": "FlushHeld"},
      {"op": "FilterEvents", "from": 0, "thru": 10,
       "events": [{"key": 60}, {"key": 61}, {"key": 300}]}, {"op": "FlushHeld"}]}'
expect_refusal "missing thru" 0 "call 0 (FilterEvents): thru: missing" \
    '{"calls": [{"op": "FilterEvents", "from": 0, "events": []}]}'
expect_refusal "events not a list" 0 "call 0 (FilterEvents): events: expected an array" \
    '{"calls": [{"op": "FilterEvents", "from": 0, "thru": 1, "events": {"key": 60}}]}'
expect_refusal "misspelt event field" 0 "call 0 (FilterEvents): events[0].tiem: unknown field" \
    '{"calls": [{"op": "FilterEvents", "from": 0, "thru": 1, "events": [{"tiem": 0}]}]}'
expect_refusal "fractional velocity" 0 "events[0].velocity: expected an integer 0..255" \
    '{"calls": [{"op": "FilterEvents", "from": 0, "thru": 1, "events": [{"velocity": 1.5}]}]}'
expect_refusal "record time beyond 32 bits" 0 \
    "events[0].time: expected an integer -2147483648..4294967295" \
    '{"calls": [{"op": "FilterEvents", "from": 0, "thru": 1, "events": [{"time": 4294967296}]}]}'
expect_refusal "window end beyond int32" 0 \
    "call 0 (FilterEvents): thru: expected an integer -2147483648..2147483647" \
    '{"calls": [{"op": "FilterEvents", "from": 0, "thru": 4294967295, "events": []}]}'
expect_refusal "raw with a non-hex digit" 0 "events[0].raw: expected a string of 36 hex digits" \
    "{\"calls\": [{\"op\": \"FilterEvents\", \"from\": 0, \"thru\": 1, \"events\": [{\"raw\": \"zz$nines\"}]}]}"
expect_refusal "raw too short" 0 "events[0].raw: expected a string of 36 hex digits" \
    '{"calls": [{"op": "FilterEvents", "from": 0, "thru": 1, "events": [{"raw": "00"}]}]}'
expect_refusal "status beyond 8 bits" 1 \
    "call 1 (FilterLiveInput): messages[0].status: expected an integer 0..255" \
    '{"calls": [{"op": "FilterLiveInput", "messages": []},
      {"op": "FilterLiveInput", "messages": [{"status": 256}]}]}'
expect_refusal "clock as text" 0 "call 0 (SetClock): ms: expected an integer" \
    '{"calls": [{"op": "SetClock", "ms": "ten"}]}'
expect_refusal "misspelt parameter in SetParams" 0 \
    "call 0 (SetParams): params.swingg: unknown parameter field" \
    '{"calls": [{"op": "SetParams", "params": {"swingg": 5}}]}'
expect_refusal "unexpected field on a call" 0 "call 0 (PlaybackLooped): time: unknown field" \
    '{"calls": [{"op": "PlaybackLooped", "time": 5}]}'

# An unreadable file is refused by name.
"$arphost" "$work/missing.json" > "$work/out" 2> "$work/err"
status=$?
if [[ $status -ne 2 ]] || ! grep -qF "cannot read scenario '$work/missing.json'" "$work/err"; then
    echo "FAIL unreadable file: status $status, message: $(cat "$work/err")"
    failures=$((failures + 1))
else
    passed=$((passed + 1))
fi

# The extremes of the record time range are accepted, and standard input reads like a file.
scenario='{"calls": [{"op": "FilterEvents", "from": 0, "thru": 0,
  "events": [{"time": -2147483648, "kind": 1}, {"time": 4294967295, "kind": 1}]}]}'
want='{"call":0,"op":"FilterEvents","hr":0,"out":[{"time":-2147483648,"kind":1,"key":0,"velocity":0,"duration":0,"raw":"000000800000010000000000000000000000"},{"time":-1,"kind":1,"key":0,"velocity":0,"duration":0,"raw":"ffffffff0000010000000000000000000000"}]}'
got=$(printf '%s' "$scenario" | "$arphost" -)
status=$?
if [[ $status -ne 0 ]] || [[ "$got" != "$want" ]]; then
    echo "FAIL time extremes from standard input: status $status"
    echo "  want: $want"
    echo "  got:  $got"
    failures=$((failures + 1))
else
    passed=$((passed + 1))
fi

echo "$passed passed, $failures failed"
[[ $failures -eq 0 ]]
