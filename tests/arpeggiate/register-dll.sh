#!/usr/bin/env bash
# Registers Arpeggiator.dll in a build's Wine prefix, as an installer would with regsvr32.
# Usage: register-dll.sh WINE_RUN PREFIX DLL
set -euo pipefail
wine_run=$1 prefix=$2 dll=$3
# Wine maps the Unix root to drive Z:.
windows_path="Z:$(echo "$dll" | tr / '\\')"
"$wine_run" "$prefix" regsvr32 /s "$windows_path"
