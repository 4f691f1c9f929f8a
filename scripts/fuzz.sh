#!/usr/bin/env bash
# Builds the libFuzzer targets (preset `fuzz`) and runs each for SECONDS (default 60) from its
# committed seed corpus. New inputs go to a scratch corpus under build/fuzz, never into the
# committed seeds; a crash leaves its input in build/fuzz/artifacts and fails the script.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(FuzzSettingsStream FuzzEngine FuzzMidiReader)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

declare -A corpus=([FuzzSettingsStream]=settings [FuzzEngine]=engine [FuzzMidiReader]=midi)
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
for target in "${targets[@]}"; do
    seeds=fuzz/corpus/${corpus[$target]}
    scratch=build/fuzz/corpus/${corpus[$target]}
    mkdir -p "$scratch"
    echo "=== $target: ${seconds}s from $seeds"
    if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "build/fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/$target-" "$scratch" "$seeds" \
        > "build/fuzz/$target.log" 2>&1; then
        tail -n 40 "build/fuzz/$target.log"
        echo "=== $target FAILED: the input is in $artifacts"
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done' "build/fuzz/$target.log" || true
done
echo "fuzz: ${#targets[@]} targets ran ${seconds}s each without a finding"
