#!/usr/bin/env bash
# Renders the README's pictures of the editor page with pagehost's renderer (Windows build,
# under Wine, no window on the screen): the default page and the page with the left-hand
# window on and a chord recognised (docs/images/page-default.png and page-chord.png); and the help
# file's pictures: the default page and the page set for each of the three recipes
# (help/images/).
# Wine makes windows, even hidden ones, only with an X display: without one, Xvfb lends one.
# Usage: scripts/render-page-images.sh
set -euo pipefail
if [ -z "${DISPLAY:-}" ] && [ -z "${ARP_RENDER_IN_XVFB:-}" ]; then
    ARP_RENDER_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh windows >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target Arpeggiator pagehost >/dev/null

prefix=$PWD/build/windows/wineprefix
pagehost=build/windows/tools/pagehost/pagehost.exe
bash tests/arpeggiate/register-dll.sh cmake/wine-run.sh "$prefix" \
    "$PWD/build/windows/MIDIPlugin/Arpeggiator.dll"
mkdir -p docs/images help/images
# Windows paths through Wine's drive Z:, so that the files land in this tree.
target() { echo "Z:$PWD/$1" | tr / '\\'; }
render() { cmake/wine-run.sh "$prefix" "$pagehost" "$@"; }
render --render "$(target docs/images/page-default.png)"
render --set leftHandWindowOn=1 --chord "G 7 1st inversion" \
    --render "$(target docs/images/page-chord.png)"
cp docs/images/page-default.png help/images/page-default.png
render --set rateUnits=Notes --set noteValue=1/16 --set pathDirection="Up, Up" --set swing=0 \
    --render "$(target help/images/recipe-sixteenths.png)"
render --set leftHandWindowOn=1 --chord "C Maj Root" \
    --render "$(target help/images/recipe-left-hand.png)"
render --set rateUnits=Milliseconds --set rateAmount=400 --set legato=90 \
    --set pathDirection="Up, Down" --set swing=0 --render "$(target help/images/recipe-ambient.png)"
echo "wrote docs/images/page-default.png, page-chord.png and help/images/*.png"
