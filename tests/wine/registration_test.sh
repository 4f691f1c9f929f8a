#!/usr/bin/env bash
# Registers Arpeggiator.dll with Wine's own regsvr32 and checks with Wine's own reg exactly the
# keys and values it writes; that registering again changes nothing; and that unregistering
# removes both class keys and the filter's "MIDI Filters" entry with everything below them,
# while "MIDI Filters" itself, the company key and other filters' entries stay.
# Usage: registration_test.sh WINE-RUN PREFIX DLL
set -uo pipefail
run=$1
prefix=$2
dll=$3

wine() { "$run" "$prefix" "$@"; }
# reg writes CRLF lines and separates keys with blank lines; keep only the text.
query() { wine reg query "$@" 2>/dev/null | tr -d '\r' | sed '/^$/d'; }
exists() { wine reg query "$1" >/dev/null 2>&1; }

filter='{C7594340-029B-11D5-9B01-006008C4F4C8}'
page='{B7441A61-0F5B-11D2-9134-00600817CDCA}'
other='{00000000-1111-2222-3333-444444444444}'
classes='HKEY_CLASSES_ROOT\CLSID'
company='HKEY_LOCAL_MACHINE\Software\Veskar Music Software'
filters="$company\\MIDI Filters"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
same() {  # name expected actual
    if [ "$2" == "$3" ]; then
        echo "ok: $1"
    else
        fail "$1"
        diff <(echo "$2") <(echo "$3")
    fi
}

# Everything registration touches. Class keys are listed by enumerating CLSID, which shows the
# names as stored (a query for one key echoes the name as asked).
snapshot() {
    query "$classes" | grep -i -e "$filter" -e "$page" | sort
    query "$classes\\$filter" /s
    query "$classes\\$page" /s
    query "$filters" /s
}

dll_windows=$(wine winepath -w "$dll" | tr -d '\r')
[ -n "$dll_windows" ] || { echo "FAIL: winepath gave no path for $dll"; exit 1; }

# Start from a registry with nothing of ours in it.
wine reg delete "$company" /f >/dev/null 2>&1
wine regsvr32 /u /s "$dll_windows" || fail "unregistering an unregistered module"
exists "$classes\\$filter" && fail "filter class left over from an earlier run"

wine regsvr32 /s "$dll_windows" || fail "regsvr32 exit status"
# reg names a queried key only when the key holds values: "MIDI Filters" holds none.
expected="$classes\\$page
$classes\\$filter
$classes\\$filter
    (Default)    REG_SZ    Veskar FX Arpeggiator
$classes\\$filter\\InprocServer32
    (Default)    REG_SZ    $dll_windows
$classes\\$page
    (Default)    REG_SZ    Arpeggiator Midi Filter Property Page
$classes\\$page\\InprocServer32
    (Default)    REG_SZ    $dll_windows
$filters\\$filter"
once=$(snapshot)
same "keys and values after registration" "$expected" "$once"

wine regsvr32 /s "$dll_windows" || fail "regsvr32 exit status, second registration"
same "registering twice equals registering once" "$once" "$(snapshot)"

# What a user or another tool may have added below our keys goes with them; another filter's
# entry does not.
wine reg add "$classes\\$filter\\Added\\Deeper" /v Note /d x /f >/dev/null
wine reg add "$classes\\$page\\Added" /f >/dev/null
wine reg add "$filters\\$filter\\Added\\Deeper" /f >/dev/null
wine reg add "$filters\\$other" /ve /d other /f >/dev/null

wine regsvr32 /u /s "$dll_windows" || fail "regsvr32 /u exit status"
for key in "$classes\\$filter" "$classes\\$page" "$filters\\$filter"; do
    if exists "$key"; then fail "still present after unregistration: $key"; else echo "ok: gone: $key"; fi
done
exists "$filters" || fail "MIDI Filters removed"
same "only the other filter's entry is left" "$filters\\$other
    (Default)    REG_SZ    other" "$(query "$filters" /s)"

wine reg delete "$company" /f >/dev/null 2>&1
# Other tests of this prefix create the filter through the registry: leave it registered, as
# a developer's prefix holds it.
wine regsvr32 /s "$dll_windows" || fail "regsvr32 exit status, registering again at the end"
[ "$failures" -eq 0 ]
