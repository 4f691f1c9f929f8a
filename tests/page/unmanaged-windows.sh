#!/usr/bin/env bash
# Leaves the windows of the named programs to no window manager, in the build's Wine prefix.
# Wine waits up to two seconds for a window manager to withdraw every closed top-level window
# it thinks one manages (a property frame is one); under Xvfb none runs, so a test that opens
# and closes many frames would mostly wait. The setting is per program (AppDefaults), so the
# other programs of the prefix are left as they were.
# Usage: unmanaged-windows.sh WINE-RUN PREFIX PROGRAM.exe...
set -euo pipefail
run=$1 prefix=$2
shift 2
for program in "$@"; do
    "$run" "$prefix" reg add "HKCU\\Software\\Wine\\AppDefaults\\$program\\X11 Driver" \
        /v Managed /d N /f >/dev/null
done
