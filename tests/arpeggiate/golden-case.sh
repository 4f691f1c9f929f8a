#!/usr/bin/env bash
# Runs arpeggiate on one golden case and checks what it wrote.
# Usage: golden-case.sh MODE CASE INPUT EXPECTED_DIR WORK_DIR TOOL [TOOL_ARGS...] -- [ARGS...]
#   MODE bytes    the output equals EXPECTED_DIR/CASE.mid byte for byte. With ARP_UPDATE_GOLDEN=1
#                 it rewrites CASE.mid, once midicsv converts it without an error, and CASE.txt
#                 as python3-mido reads it, instead: other readers judge a golden file when it
#                 is written, and every later output that equals it reads the same.
#   MODE same     the same comparison, never rewriting (the Windows build's tool)
# TOOL and its arguments run the tool (a Windows build passes Wine's runner and the .exe).
set -euo pipefail
mode=$1 name=$2 input=$3 expected=$4 work=$5
shift 5
tool=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do tool+=("$1"); shift; done
[ $# -gt 0 ] && shift

here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
output="$work/$name.$mode.mid"
rm -f "$output"
"${tool[@]}" --quiet "$@" "$input" "$output"

case "$mode" in
bytes | same)
    if [ "$mode" = bytes ] && [ "${ARP_UPDATE_GOLDEN:-0}" = 1 ]; then
        errors=$(midicsv "$output" 2>&1 >/dev/null)
        if [ -n "$errors" ]; then
            echo "midicsv: $errors"
            exit 1
        fi
        cp "$output" "$expected/$name.mid"
        /usr/bin/python3 "$here/read-with-mido.py" "$output" >"$expected/$name.txt"
        echo "rewrote $expected/$name.mid and $name.txt: check them against the rules"
        exit 0
    fi
    if ! cmp "$expected/$name.mid" "$output"; then
        echo "$name: output differs from $expected/$name.mid; as mido reads the two:"
        diff <(/usr/bin/python3 "$here/read-with-mido.py" "$expected/$name.mid") \
            <(/usr/bin/python3 "$here/read-with-mido.py" "$output") || true
        exit 1
    fi
    ;;
*)
    echo "golden-case.sh: unknown mode $mode" >&2
    exit 2
    ;;
esac
