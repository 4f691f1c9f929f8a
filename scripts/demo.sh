#!/usr/bin/env bash
# The main job: the arpeggiator at work on a song composed for it, to hear and to see.
#
#   scripts/demo.sh             native build: arpeggiate the demo song three ways
#   scripts/demo.sh --windows   also build Arpeggiator.dll, register it under Wine, show that
#                               arpeggiate.exe, through COM, writes the very same files, and
#                               open the editor page in Wine's property frame for a screenshot
#   scripts/demo.sh --lv2       also build the LV2 bundle and play the song's piano through it
#                               live, in jalv on a JACK dummy server (about 45 s of real time)
#
# Everything lands in out/: the song and each result as MIDI, a piano roll of each result
# (SVG and PNG), each input and output rendered to WAV with the General MIDI soundfont, and a
# 10-minute, 16-track song whose summary shows how long the filtering takes.
# ARP_BUILD_DIR chooses the native build folder (default build/native, the preset's).
set -euo pipefail
cd "$(dirname "$0")/.."

windows=0
lv2=0
case "${1:-}" in
"") ;;
--windows) windows=1 ;;
--lv2) lv2=1 ;;
*) echo "usage: scripts/demo.sh [--windows | --lv2]" >&2; exit 2 ;;
esac

groups=(native demo)
[ "$windows" = 1 ] && groups+=(windows)
[ "$lv2" = 1 ] && groups+=(lv2)
bash scripts/install-deps.sh "${groups[@]}"

build=${ARP_BUILD_DIR:-build/native}
echo "=== building the native preset in $build"
cmake --preset native -B "$build" >/dev/null
cmake --build "$build" --target arpeggiate
arpeggiate=$build/tools/arpeggiate/arpeggiate

soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2
mkdir -p out
/usr/bin/python3 scripts/make-demo-song.py out/demo.mid

# Three contrasting settings, by name: the tool's arguments in `args`.
runs=(defaults up-up-swing left-hand)
settings_for() {
    case "$1" in
    defaults) args=() ;;
    up-up-swing) args=(--set "pathDirection=Up, Up" --set rateUnits=Notes --set noteValue=1/16
                       --set swing=40) ;;
    left-hand) args=(--set leftHandWindowOn=on --track 2) ;;
    esac
}

render() {
    fluidsynth -ni -q -g 0.6 -F "$2" "$soundfont" "$1" >/dev/null 2>&1
}

echo
echo "=== the demo song: 16 bars for piano, bass and drums, 100 BPM slowing to 76 at bar 9"
render out/demo.mid out/demo.wav
for run in "${runs[@]}"; do
    settings_for "$run"
    echo
    echo "=== $run: arpeggiate ${args[*]:-(default settings)}"
    "$arpeggiate" "${args[@]}" --piano-roll "out/demo-$run.svg" out/demo.mid "out/demo-$run.mid"
    convert "out/demo-$run.svg" "out/demo-$run.png"
    render "out/demo-$run.mid" "out/demo-$run.wav"
done

echo
echo "=== timing: a 10-minute song of 16 tracks"
/usr/bin/python3 scripts/make-demo-song.py --long out/long-song.mid
"$arpeggiate" out/long-song.mid out/long-song-arpeggiated.mid | tail -n 1

if [ "$windows" = 1 ]; then
    echo
    echo "=== the Windows build: arpeggiate.exe through the registered Arpeggiator.dll"
    windows_build=${ARP_WINDOWS_BUILD_DIR:-build/windows}
    cmake --preset windows -B "$windows_build" >/dev/null
    cmake --build "$windows_build" --target arpeggiate Arpeggiator pagehost
    prefix=$PWD/$windows_build/wineprefix
    bash tests/arpeggiate/register-dll.sh "$PWD/cmake/wine-run.sh" "$prefix" \
        "$PWD/$windows_build/MIDIPlugin/Arpeggiator.dll"
    mkdir -p out/windows
    for run in "${runs[@]}"; do
        settings_for "$run"
        cmake/wine-run.sh "$prefix" "$windows_build/tools/arpeggiate/arpeggiate.exe" --quiet \
            "${args[@]}" out/demo.mid "out/windows/demo-$run.mid"
        if cmp -s "out/windows/demo-$run.mid" "out/demo-$run.mid"; then
            echo "  $run: arpeggiate.exe wrote the same bytes as the native tool"
        else
            echo "  $run: arpeggiate.exe and the native tool DIFFER"
            exit 1
        fi
    done

    echo
    echo "=== the editor page in Wine's property frame, as a host shows it (pagehost.exe)"
    xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/page-screenshot.sh "$prefix" \
        "$windows_build/tools/pagehost/pagehost.exe" out/windows/page.png
    echo "  out/windows/page.png: the page with the default settings"
fi

if [ "$lv2" = 1 ]; then
    echo
    echo "=== the LV2 plug-in, live in jalv on JACK: the piano with \"Chords from the left hand\""
    cmake --build "$build" --target arp_lv2_bundle
    /usr/bin/python3 scripts/lv2-demo.py "$build/lv2-bundles" out/demo.mid out/demo-lv2.mid
    render out/demo-lv2.mid out/demo-lv2.wav
    echo "  listen: out/demo-lv2.wav (install the bundle for your own host: see README, LV2)"
fi

echo
echo "=== done: in out/"
echo "  listen: out/demo.wav, then out/demo-defaults.wav, out/demo-up-up-swing.wav, out/demo-left-hand.wav"
echo "  look:   out/demo-defaults.png, out/demo-up-up-swing.png, out/demo-left-hand.png"
if [ "$windows" = 1 ]; then
    echo "  and:    out/windows/page.png, the editor page in its frame"
fi
