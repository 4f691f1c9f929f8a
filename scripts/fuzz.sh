#!/usr/bin/env bash
# The libFuzzer targets, built by the preset `fuzz` (clang-14, ASan + UBSan).
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#       CI mode (default 60 s): each target in one process from its committed seeds. New inputs
#       go to build/fuzz/corpus/NAME, never into the seeds; a crash leaves its input in
#       build/fuzz/artifacts and fails the script.
#   scripts/fuzz.sh campaign [SECONDS] [TARGET...]
#       SECONDS (default 3600) per target on every core (-jobs/-workers, ARP_FUZZ_JOBS to
#       change), from the seeds and the campaign corpus build/fuzz/campaign/NAME, which is then
#       minimised (-merge=1). A coverage build (preset fuzz-coverage) runs that corpus, and a
#       table gives per target: inputs run, inputs per second, corpus size, line and branch
#       coverage of the code under test. The table is also left in build/fuzz/report.txt, the
#       uncovered lines in build/fuzz/coverage/TARGET.uncovered.txt and an HTML view in
#       build/fuzz/coverage/TARGET/.
#   scripts/fuzz.sh coverage [TARGET...]
#       The coverage columns alone, for the campaign corpora as they are.
#   scripts/fuzz.sh seeds [TARGET...]
#       Re-minimises the committed seeds (-merge=1) from themselves and the campaign corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

all=(FuzzSettingsStream FuzzEngine FuzzMidiReader FuzzPropInt)
declare -A corpus=([FuzzSettingsStream]=settings [FuzzEngine]=engine [FuzzMidiReader]=midi
    [FuzzPropInt]=propint)
# Longest input: what a target reads, with room to spare. The engine's inputs are host calls;
# longer ones only repeat the kinds of call that shorter ones already make.
declare -A maxlen=([FuzzSettingsStream]=128 [FuzzEngine]=1024 [FuzzMidiReader]=4096
    [FuzzPropInt]=512)
declare -A dict=([FuzzMidiReader]=fuzz/midi.dict)
# The code under test, whose coverage the campaign reports (files or folders).
declare -A under_test=(
    [FuzzSettingsStream]="MIDIPlugin/engine/PersistStream.cpp"
    [FuzzEngine]="MIDIPlugin/engine"
    [FuzzMidiReader]="tools/midifile/MidiReader.cpp tools/midifile/ByteReader.h"
    [FuzzPropInt]="propvalues/PropInt.cpp propvalues/Property.cpp")
# Files there that are not: the tests' view of a filter is no shipped code.
declare -A not_under_test=([FuzzEngine]='FilterTestView\.h$')

mode=ci
case "${1:-}" in campaign | coverage | seeds) mode=$1 && shift ;; esac
seconds=60
[ "$mode" = campaign ] && seconds=3600
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then seconds=$1 && shift; fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")
for target in "${targets[@]}"; do
    [ -n "${corpus[$target]:-}" ] || { echo "fuzz.sh: unknown target $target" >&2 && exit 2; }
done

artifacts=$root/build/fuzz/artifacts
sanitizers=(env ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1)

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j "${ARP_FUZZ_JOBS:-$(nproc)}" --target "${targets[@]}"
}

# libFuzzer flags shared by every mode that fuzzes. An input that runs long gets less of the
# fuzzer's attention: the engine's deepest states (a pending list filled by a long look-ahead)
# take milliseconds to reach, and without this its inputs/s halve for no more coverage.
fuzz_flags() {
    local target=$1
    echo -timeout=10 -rss_limit_mb=2048 -max_len="${maxlen[$target]}" -print_final_stats=1 \
        -entropic_scale_per_exec_time=1 \
        -artifact_prefix="$artifacts/$target-" ${dict[$target]:+-dict=$root/${dict[$target]}}
}

# Files in a corpus and their total size.
size_of() {
    find "$1" -type f -printf '%s\n' | awk '{ n++; b += $1 } END { printf "%d (%.1f KB)", n, b / 1024 }'
}

# Sums a final statistic over the logs given.
stat_sum() {
    local name=$1
    shift
    awk -v key="stat::$name:" '$1 == key { sum += $2 } END { print sum + 0 }' "$@"
}

# The first fault a log reports, with its stack, if any.
finding() {
    grep -hE -A30 'ERROR: (AddressSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error|check failed|Test unit written' "$@" | head -n 60
}

run_ci() {
    build fuzz
    mkdir -p "$artifacts"
    for target in "${targets[@]}"; do
        local seeds=fuzz/corpus/${corpus[$target]} scratch=build/fuzz/corpus/${corpus[$target]}
        local log=build/fuzz/$target.log
        mkdir -p "$scratch"
        echo "=== $target: ${seconds}s from $seeds"
        # shellcheck disable=SC2046
        if ! "${sanitizers[@]}" "build/fuzz/fuzz/$target" -max_total_time="$seconds" \
            $(fuzz_flags "$target") "$scratch" "$seeds" >"$log" 2>&1; then
            tail -n 40 "$log"
            echo "=== $target FAILED: the input is in $artifacts"
            exit 1
        fi
        echo "$target: $(stat_sum number_of_executed_units "$log") inputs," \
            "$(stat_sum average_exec_per_sec "$log") inputs/s"
    done
    echo "fuzz: ${#targets[@]} targets ran ${seconds}s each without a finding"
}

jobs=${ARP_FUZZ_JOBS:-$(nproc)}
declare -A inputs rate corpus_size lines branches
failures=()

# SECONDS on every core; the workers share the campaign corpus, which is then minimised.
campaign_target() {
    local target=$1 name=${corpus[$1]}
    local camp=$root/build/fuzz/campaign/$name logs=$root/build/fuzz/logs/$target
    mkdir -p "$camp" "$artifacts"
    rm -rf "$logs" && mkdir -p "$logs"
    echo "=== $target: ${seconds}s on $jobs cores, corpus build/fuzz/campaign/$name"
    local start end
    start=$(date +%s.%N)
    # shellcheck disable=SC2046
    (cd "$logs" && "${sanitizers[@]}" "$root/build/fuzz/fuzz/$target" -jobs="$jobs" \
        -workers="$jobs" -max_total_time="$seconds" $(fuzz_flags "$target") \
        "$camp" "$root/fuzz/corpus/$name" >main.log 2>&1) || true
    end=$(date +%s.%N)
    inputs[$target]=$(stat_sum number_of_executed_units "$logs"/fuzz-*.log)
    rate[$target]=$(awk -v n="${inputs[$target]}" -v a="$start" -v b="$end" \
        'BEGIN { printf "%d", n / (b - a) }')
    finding "$logs"/*.log >"$logs/finding.txt" || true
    if [ -s "$logs/finding.txt" ]; then
        failures+=("$target")
        cat "$logs/finding.txt"
        echo "=== $target FAILED: the input is in $artifacts, the logs in $logs"
    fi

    local merged=$camp.merging
    rm -rf "$merged" && mkdir -p "$merged"
    # shellcheck disable=SC2046
    "${sanitizers[@]}" "build/fuzz/fuzz/$target" -merge=1 $(fuzz_flags "$target") \
        "$merged" "$camp" "fuzz/corpus/$name" >"$logs/merge.log" 2>&1
    rm -rf "$camp" && mv "$merged" "$camp"
    corpus_size[$target]=$(size_of "$camp")
}

# Runs the campaign corpus and the seeds once through the coverage build of TARGET and reports
# line and branch coverage of the code under test.
coverage_target() {
    local target=$1 name=${corpus[$1]}
    local dir=build/fuzz/coverage bin=build/fuzz-coverage/fuzz/$target
    local camp=build/fuzz/campaign/$name
    mkdir -p "$dir" "$camp"
    rm -f "$dir/$target"-*.profraw
    LLVM_PROFILE_FILE="$root/$dir/$target-%p.profraw" "$bin" -runs=0 \
        -max_len="${maxlen[$target]}" "$camp" "fuzz/corpus/$name" >"$dir/$target.log" 2>&1
    llvm-profdata-14 merge -sparse "$dir/$target"-*.profraw -o "$dir/$target.profdata"
    rm -f "$dir/$target"-*.profraw
    local sources
    read -r -a sources <<<"${under_test[$target]}"
    local cov=(-instr-profile="$dir/$target.profdata"
        ${not_under_test[$target]:+-ignore-filename-regex="${not_under_test[$target]}"}
        "$bin" "${sources[@]}")
    # TOTAL  regions missed cover  functions missed executed  lines missed cover  branches ...
    local total
    total=$(llvm-cov-14 report "${cov[@]}" | awk '$1 == "TOTAL"')
    lines[$target]=$(echo "$total" | awk '{ printf "%s (%d of %d missed)", $10, $9, $8 }')
    branches[$target]=$(echo "$total" | awk '{ printf "%s (%d of %d missed)", $13, $12, $11 }')
    rm -rf "${dir:?}/$target"
    llvm-cov-14 show "${cov[@]}" -format=html -output-dir="$dir/$target"
    llvm-cov-14 show "${cov[@]}" -show-branches=count |
        awk '/^\/.*:$/ { file = $0; next }
             /^ *[0-9]+\| *0\|/ || /Branch \(.*(True|False): 0[],]/ {
                 if (file) print file
                 file = ""
                 print
             }' >"$dir/$target.uncovered.txt"
}

print_table() {
    local format="%-21s %12s %9s %15s %26s %26s\n"
    printf "$format" target inputs inputs/s corpus "lines covered" "branches covered"
    for target in "${targets[@]}"; do
        printf "$format" "$target" "${inputs[$target]:--}" "${rate[$target]:--}" \
            "${corpus_size[$target]:--}" "${lines[$target]:--}" "${branches[$target]:--}"
    done
}

run_campaign() {
    build fuzz
    build fuzz-coverage
    for target in "${targets[@]}"; do campaign_target "$target"; done
    for target in "${targets[@]}"; do coverage_target "$target"; done
    {
        echo "fuzz.sh campaign: ${seconds}s per target on $jobs of $(nproc) cores," \
            "$(date -u +%Y-%m-%d), commit $(git describe --always --dirty 2>/dev/null || echo -)"
        print_table
    } | tee build/fuzz/report.txt
    [ ${#failures[@]} -eq 0 ] || { echo "FAILED: ${failures[*]}" && exit 1; }
}

run_coverage() {
    build fuzz-coverage
    for target in "${targets[@]}"; do
        coverage_target "$target"
        corpus_size[$target]=$(size_of "build/fuzz/campaign/${corpus[$target]}")
    done
    print_table
}

# The committed seeds, minimised with the campaign corpus to the fewest inputs that reach every
# edge either reached (hit counts aside, which keeps them small); a seed that stays keeps its
# name.
run_seeds() {
    build fuzz
    for target in "${targets[@]}"; do
        local name=${corpus[$target]} fresh=build/fuzz/seeds.${corpus[$target]}
        mkdir -p "build/fuzz/campaign/$name"
        rm -rf "$fresh" && mkdir -p "$fresh"
        # shellcheck disable=SC2046
        "build/fuzz/fuzz/$target" -merge=1 -use_counters=0 $(fuzz_flags "$target") "$fresh" \
            "fuzz/corpus/$name" "build/fuzz/campaign/$name" >"build/fuzz/seeds.$name.log" 2>&1
        for seed in "fuzz/corpus/$name"/*; do
            [ -f "$seed" ] || continue
            local same
            same="$fresh/$(sha1sum <"$seed" | cut -d' ' -f1)"
            [ -f "$same" ] && mv "$same" "$fresh/$(basename "$seed")"
        done
        rm -rf "fuzz/corpus/$name" && mv "$fresh" "fuzz/corpus/$name"
        echo "$target: $(size_of "fuzz/corpus/$name") of seeds"
    done
}

case "$mode" in
    ci) run_ci ;;
    campaign) run_campaign ;;
    coverage) run_coverage ;;
    seeds) run_seeds ;;
esac
