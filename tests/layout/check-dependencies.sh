#!/usr/bin/env bash
# The folders' one direction of dependency, and the one door into a filter, checked on the
# sources: an include that breaks either fails here before it can spread.
# Usage: check-dependencies.sh SOURCE_ROOT
set -uo pipefail
cd "$1" || exit 2
status=0

# forbid FOLDER PATTERN WHY: no file under FOLDER includes a header matching PATTERN.
forbid() {
    local hits
    hits=$(grep -rnE "#include \"($2)" "$1" 2>/dev/null)
    if [ -n "$hits" ]; then
        echo "$3:"
        echo "$hits"
        status=1
    fi
}

forbid MIDIPlugin/chord 'engine/|shell/|editor/' "chord/ is below the engine"
forbid MIDIPlugin/engine 'shell/|editor/' "engine/ never uses the shell or the page"
forbid MIDIPlugin/shell 'editor/' "the portable shell does not know the page's code"
forbid platform 'engine/|chord/|shell/|editor/|controls/' "platform/ is the layer below all"
forbid propvalues 'engine/|chord/|shell/|editor/|controls/' "property values stand alone"
forbid controls 'engine/|chord/|shell/|editor/' "the toolkit serves any page, not this engine"
forbid hostcommon 'lv2/|dpf/|Ports.h|Presets.h|Uris.h|PositionReader.h|ArpeggiatorPlugin.h|ArpeggiatorDpf.h|ParameterTable.h|HexText.h|Distrho' \
    "hostcommon/ serves every plug-in format and knows none of them"
for folder in hostcommon lv2; do
    forbid "$folder" 'shell/|editor/|controls/' "a plug-in format reaches the filter, never its COM shell or page"
done
# The DPF plug-in's editor window holds the page through the page's own face and model; the
# COM property page, the filter's model of it and the shell stay out of every format.
forbid dpf 'shell/|controls/|editor/(ArpeggiatorPropPage|FilterPageModel)' \
    "a plug-in format reaches the filter and the page, never the COM shell or property page"
for file in dpf/*.h dpf/*.cpp; do
    forbid "$file" 'editor/' "only dpf/editor/ holds the page"
done
# One page, two containers: the page's own files know neither container.
for file in MIDIPlugin/editor/Page*.cpp MIDIPlugin/editor/ArpeggiatorPage.h; do
    forbid "$file" 'editor/(ArpeggiatorPropPage|FilterPageModel)|engine/FilterAccess|dpf/|Distrho' \
        "the page knows neither the property page nor a plug-in's window"
done
for folder in MIDIPlugin tools bench lv2 hostcommon dpf; do
    [ -d "$folder" ] && forbid "$folder" 'engine/FilterTestView.h' \
        "the test view is for tests and fuzz targets only"
done

# Only the door and the test view are friends of the filter.
friends=$(grep -n 'friend ' MIDIPlugin/engine/Arpeggiator.h | grep -vE 'friend class (FilterAccess|FilterTestView);')
if [ -n "$friends" ]; then
    echo "the filter has friends besides FilterAccess and FilterTestView:"
    echo "$friends"
    status=1
fi

[ $status -eq 0 ] && echo "dependencies run one way; the filter has one door"
exit $status
