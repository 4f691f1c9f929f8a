#!/usr/bin/env bash
# Builds the installer with makensis from a built Arpeggiator.dll and help file.
# The installer is no more reproducible than the help file inside it (build-help.sh says why).
# Usage: installer/build-installer.sh DLL CHM OUT.exe [VST3-BUNDLE CLAP]
set -euo pipefail
dll=$(realpath "$1") chm=$(realpath "$2") out=$(realpath -m "$3")
formats=()
[ $# -ge 5 ] && formats=(-DVST3="$(realpath "$4")" -DCLAP="$(realpath "$5")")
here=$(cd "$(dirname "$0")" && pwd)
command -v makensis >/dev/null || { echo "build-installer.sh: makensis not found (scripts/install-deps.sh shipping)" >&2; exit 127; }
mkdir -p "$(dirname "$out")"
# -WX: a warning fails the build; -V2: warnings and errors only.
makensis -WX -V2 -DDLL="$dll" -DCHM="$chm" -DOUTFILE="$out" "${formats[@]}" "$here/Arpeggiator.nsi"
echo "build-installer.sh: wrote $out"
