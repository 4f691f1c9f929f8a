#!/usr/bin/env bash
# Arpeggiator.dll must load on a bare Windows: every DLL it imports is one the system ships (the
# MinGW runtimes libstdc++, libgcc and libwinpthread are linked in, never imported), and it
# exports exactly the four entry points of an in-process COM server.
# Usage: dll_tables_test.sh OBJDUMP DLL
set -euo pipefail
objdump=$1
dll=$2

tables=$("$objdump" -p "$dll")
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$tables")
# Name pointer table lines: "[   0] DllCanUnloadNow".
exports=$(sed -En 's/^[[:space:]]*\[ *[0-9]+\] ([A-Za-z_][A-Za-z0-9_]*)$/\1/p' <<<"$tables" | sort)

echo "imports of $dll:"
sed 's/^/  /' <<<"$imports"

# The system DLLs this module and its editor page may use.
system='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|winmm|msvcrt|ucrtbase|shell32|shlwapi'
system+='|comctl32|comdlg32|uxtheme|msimg32|version|gdiplus|d2d1|dwrite|d3d11|dxgi'
system+='|windowscodecs|uiautomationcore|oleacc|api-ms-win-[a-z0-9-]+)\.dll$'

failures=0
if [ -z "$imports" ]; then
    echo "FAIL: no import table found"
    failures=1
fi
while read -r name; do
    [ -n "$name" ] || continue
    lower=${name,,}
    if [[ $lower == lib* ]]; then
        echo "FAIL: imports the MinGW runtime DLL $name; link it statically"
        failures=$((failures + 1))
    elif ! [[ $lower =~ $system ]]; then
        echo "FAIL: imports $name, which is not a Windows system DLL"
        failures=$((failures + 1))
    fi
done <<<"$imports"

expected_exports=$(printf '%s\n' DllCanUnloadNow DllGetClassObject DllRegisterServer \
    DllUnregisterServer)
if [ "$exports" != "$expected_exports" ]; then
    echo "FAIL: exports differ from the four COM entry points:"
    diff <(echo "$expected_exports") <(echo "$exports") | head -20 || true
    failures=$((failures + 1))
fi

[ "$failures" -eq 0 ]
