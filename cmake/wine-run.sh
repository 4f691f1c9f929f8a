#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, creating the prefix on first use.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
# CTest uses this as the cross-compiling emulator, so tests may run in parallel: the first
# caller initialises the prefix under a lock while the others wait.
set -euo pipefail
prefix=$1
shift

export WINEPREFIX=$prefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "wine-run.sh: Wine not found (install wine64)" >&2; exit 127; }
wineserver=$(command -v wineserver || true)
[ -n "$wineserver" ] || wineserver=/usr/lib/wine/wineserver

mkdir -p "$(dirname "$prefix")"
{
    flock 9
    if [ ! -f "$prefix/.arp-initialised" ]; then
        echo "wine-run.sh: creating Wine prefix $prefix (once per build folder)" >&2
        "$wine" wineboot -i >/dev/null 2>&1 || true
        "$wineserver" -w
        touch "$prefix/.arp-initialised"
    fi
} 9>"$prefix.lock"

exec "$wine" "$@"
