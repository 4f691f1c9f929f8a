#!/usr/bin/env bash
# Installs what is missing, then builds and tests every preset: native, the two sanitizer
# builds, and the Windows build whose tests run under Wine (windows under Xvfb); then runs each
# fuzz target for a minute (ARP_FUZZ_SECONDS) from its seed corpus.
# Usage: scripts/test.sh [PRESET...]   (default: all four presets and the fuzzers)
set -euo pipefail
cd "$(dirname "$0")/.."

presets=("$@")
fuzz=0
if [ ${#presets[@]} -eq 0 ]; then
    presets=(native native-asan native-tsan windows)
    fuzz=1
    bash scripts/install-deps.sh
else
    # Only what the chosen builds need: a native run installs no Wine and no cross compiler.
    # The native build makes the LV2 bundle and tests it in real hosts.
    groups=(native lv2)
    for preset in "${presets[@]}"; do
        case "$preset" in
        # The help file and the installer: chmcmd, extract_chmLib, makensis.
        windows) groups+=(windows shipping) ;;
        fuzz) groups+=(fuzz) ;;
        esac
    done
    bash scripts/install-deps.sh "${groups[@]}"
fi

jobs=$(nproc)
failed=()
for preset in "${presets[@]}"; do
    echo "=== ${preset}: configure and build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "=== ${preset}: test"
    args=(--preset "$preset" -j "$jobs")
    # The sanitizer builds check the native code; Wine and windows are the Windows build's,
    # and the real LV2 hosts (lv2host) load the bundle into programs built without sanitizers.
    case "$preset" in native-asan | native-tsan) args+=(-LE 'wine|gui|lv2host') ;; esac
    runner=()
    # Pixel checks need true colour; real-input tests need room for the property frame.
    [ "$preset" = windows ] && runner=(xvfb-run -a -s "-screen 0 1024x768x24")
    if ! "${runner[@]}" ctest "${args[@]}"; then failed+=("$preset"); fi
done

if [ "$fuzz" = 1 ]; then
    echo "=== fuzz"
    bash scripts/fuzz.sh "${ARP_FUZZ_SECONDS:-60}" || failed+=(fuzz)
fi

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED presets: ${failed[*]}"
    exit 1
fi
echo "All presets passed: ${presets[*]}"
