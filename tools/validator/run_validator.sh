#!/usr/bin/env bash
# Registers Arpeggiator.dll with Wine's regsvr32, runs the validator against it and
# unregisters it again. Usage: run_validator.sh WINE-RUN PREFIX DLL VALIDATOR
set -uo pipefail
run=$1 prefix=$2 dll=$3 validator=$4
"$run" "$prefix" regsvr32 /s "$dll" || { echo "regsvr32 failed"; exit 1; }
"$run" "$prefix" "$validator"
status=$?
"$run" "$prefix" regsvr32 /s /u "$dll"
exit $status
