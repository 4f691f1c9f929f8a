#!/usr/bin/env bash
# Qtractor's own CLAP scanner (the helper program Qtractor runs on every CLAP file it finds)
# reads the built plug-in as Qtractor will list it: a MIDI plug-in with no audio, its
# parameters, real-time safe. Inserting it in a session needs Qtractor's window and the ALSA
# sequencer, which a build machine lacks (README).
# Usage: qtractor-scan.sh PLUGIN.clap PARAMETER_COUNT   (exit 77: Qtractor is not installed)
set -euo pipefail
scanner=/usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan
[ -x "$scanner" ] || { echo "skip: Qtractor is not installed"; exit 77; }
line=$(printf 'CLAP:%s\n' "$1" | QT_QPA_PLATFORM=offscreen timeout 30 "$scanner")
echo "$line"
# TYPE|NAME|AUDIO IN:OUT|MIDI IN:OUT|PARAMETERS:...|FLAGS|FILE|INDEX|ID
IFS='|' read -r type name audio midi params flags _ <<<"$line"
[ "$type|$name|$audio|$midi|${params%%:*}" = "CLAP|Arpeggiator|0:0|1:1|$2" ] || exit 1
[[ ",$flags," == *,RT,* ]] || { echo "not marked real-time safe"; exit 1; }
