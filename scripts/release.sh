#!/usr/bin/env bash
# Builds what is shipped, into dist/ (not tracked by git):
#   Arpeggiator-VERSION-Setup.exe   the Windows installer (DLL, help file, uninstaller)
#   Arpeggiator-VERSION.chm         the help file on its own
#   arpeggiator-VERSION-linux-x86_64.tar.gz   arpeggiate and arphost, README.md, arpeggiate.1
#   SHA256SUMS                      of the three
# Refuses a tree with uncommitted changes (what is shipped must be a commit) unless
# --allow-dirty. Builds in build/release-native and build/release-windows, without tests, the
# DLL linked without a time stamp.
# Reproducible: the names; the archive byte for byte (sorted names, owner 0, every time stamp
# the commit's time, gzip without name or time); the DLL inside the installer. Not: the help
# file, since chmcmd writes its compile time (and one word it leaves uninitialised) into the
# file's header, and so the installer that carries it and their lines in SHA256SUMS.
# Usage: scripts/release.sh [--allow-dirty]
set -euo pipefail
cd "$(dirname "$0")/.."

allow_dirty=0
for arg in "$@"; do
    case "$arg" in
    --allow-dirty) allow_dirty=1 ;;
    *) echo "usage: scripts/release.sh [--allow-dirty]" >&2; exit 2 ;;
    esac
done
if [ -n "$(git status --porcelain)" ]; then
    if [ "$allow_dirty" = 0 ]; then
        git status --short >&2
        echo "release.sh: uncommitted changes; commit them, or --allow-dirty" >&2
        exit 1
    fi
    echo "release.sh: building from a tree with uncommitted changes (--allow-dirty)" >&2
fi

bash scripts/install-deps.sh native windows shipping

echo "=== native build"
native=build/release-native
cmake --preset native -B "$native" -DBUILD_TESTING=OFF >/dev/null
cmake --build "$native" -j2 --target arpeggiate arphost
echo "=== windows build, help file, installer"
windows=build/release-windows
cmake --preset windows -B "$windows" -DBUILD_TESTING=OFF \
    -DCMAKE_SHARED_LINKER_FLAGS_RELWITHDEBINFO=-Wl,--no-insert-timestamp >/dev/null
cmake --build "$windows" -j2 --target Arpeggiator arp_help arp_installer

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$native/CMakeCache.txt")
[ -n "$version" ] || { echo "release.sh: no project version in $native" >&2; exit 1; }
epoch=$(git log -1 --format=%ct)

rm -rf dist
mkdir -p dist
cp "$windows/installer/Arpeggiator-Setup.exe" "dist/Arpeggiator-$version-Setup.exe"
cp "$windows/MIDIPlugin/Arpeggiator.chm" "dist/Arpeggiator-$version.chm"

echo "=== Linux archive"
name=arpeggiator-$version-linux-x86_64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name/bin" "$stage/$name/man/man1"
for tool in tools/arpeggiate/arpeggiate tools/arphost/arphost; do
    strip -o "$stage/$name/bin/$(basename "$tool")" "$native/$tool"
done
cp README.md "$stage/$name/"
python3 scripts/make-man-page.py --version "$version" --date "@$epoch" \
    "$native/tools/arpeggiate/arpeggiate" >"$stage/$name/man/man1/arpeggiate.1"
chmod -R u=rwX,go=rX "$stage/$name"
tar --sort=name --mtime="@$epoch" --owner=0 --group=0 --numeric-owner --format=gnu \
    -C "$stage" -cf - "$name" | gzip -9 -n >"dist/$name.tar.gz"

(cd dist && sha256sum -- *.exe *.chm *.tar.gz >SHA256SUMS)
echo "=== dist/"
ls -l dist
