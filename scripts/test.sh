#!/usr/bin/env bash
# Installs what is missing, then builds and tests every preset: native, the two sanitizer
# builds, and the Windows build whose tests run under Wine (windows under Xvfb).
# Usage: scripts/test.sh [PRESET...]   (default: all four)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native native-asan native-tsan windows)

jobs=$(nproc)
failed=()
for preset in "${presets[@]}"; do
    echo "=== ${preset}: configure and build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "=== ${preset}: test"
    args=(--preset "$preset" -j "$jobs")
    # The sanitizer builds check the native code; Wine and windows are the Windows build's.
    case "$preset" in native-asan | native-tsan) args+=(-LE 'wine|gui') ;; esac
    runner=()
    [ "$preset" = windows ] && runner=(xvfb-run -a)
    if ! "${runner[@]}" ctest "${args[@]}"; then failed+=("$preset"); fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED presets: ${failed[*]}"
    exit 1
fi
echo "All presets passed: ${presets[*]}"
