#include "ttl/TtlText.h"

#include <string>

#include "Ports.h"
#include "Presets.h"
#include "Uris.h"

namespace {

constexpr std::string_view kPrefixes =
    "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix log: <http://lv2plug.in/ns/ext/log#> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix midi: <http://lv2plug.in/ns/ext/midi#> .\n"
    "@prefix patch: <http://lv2plug.in/ns/ext/patch#> .\n"
    "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix rsz: <http://lv2plug.in/ns/ext/resize-port#> .\n"
    "@prefix time: <http://lv2plug.in/ns/ext/time#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

// Room the host gives the output sequences: enough to end every note of a flush at once.
constexpr int kMidiOutMinimumBytes = 16384;
constexpr int kNotifyMinimumBytes = 4096;

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string Uri(std::string_view uri) { return "<" + std::string(uri) + ">"; }

std::string PresetUri(const Preset& preset) {
    return Uri(std::string(lv2uris::kPresetPrefix) + std::string(preset.slug));
}

std::string AtomPorts() {
    return "    lv2:port [\n"
           "        a lv2:InputPort , atom:AtomPort ;\n"
           "        atom:bufferType atom:Sequence ;\n"
           "        atom:supports midi:MidiEvent , time:Position ;\n"
           "        lv2:designation lv2:control ;\n"
           "        lv2:index 0 ;\n"
           "        lv2:symbol \"midi_in\" ;\n"
           "        lv2:name \"MIDI in\"\n"
           "    ] , [\n"
           "        a lv2:OutputPort , atom:AtomPort ;\n"
           "        atom:bufferType atom:Sequence ;\n"
           "        atom:supports midi:MidiEvent ;\n"
           "        rsz:minimumSize " +
           std::to_string(kMidiOutMinimumBytes) +
           " ;\n"
           "        lv2:index 1 ;\n"
           "        lv2:symbol \"midi_out\" ;\n"
           "        lv2:name \"MIDI out\"\n"
           "    ] , [\n"
           "        a lv2:OutputPort , atom:AtomPort ;\n"
           "        atom:bufferType atom:Sequence ;\n"
           "        atom:supports patch:Message ;\n"
           "        rsz:minimumSize " +
           std::to_string(kNotifyMinimumBytes) +
           " ;\n"
           "        lv2:index 2 ;\n"
           "        lv2:symbol \"notify\" ;\n"
           "        lv2:name \"Notifications\"\n"
           "    ]";
}

std::string ScalePoints(const ControlPort& port) {
    std::string out = "        lv2:scalePoint ";
    for (size_t i = 0; i < port.options.size(); ++i) {
        if (i > 0) out += " , ";
        out +=
            "[ rdfs:label " + Quoted(port.options[i]) + " ; rdf:value " + std::to_string(i) + " ]";
    }
    return out + " ;\n";
}

std::string PortProperties(const ControlPort& port) {
    switch (port.kind) {
        case ControlKind::Toggle:
            return "        lv2:portProperty lv2:toggled ;\n";
        case ControlKind::Options:
            return "        lv2:portProperty lv2:integer , lv2:enumeration ;\n" + ScalePoints(port);
        case ControlKind::Number:
            break;
    }
    return "        lv2:portProperty lv2:integer ;\n";
}

std::string ControlPortTtl(const ControlPort& port, int32_t defaultValue) {
    std::string out = " , [\n        a lv2:InputPort , lv2:ControlPort ;\n";
    out += "        lv2:index " + std::to_string(port.Index()) + " ;\n";
    out += "        lv2:symbol " + Quoted(port.symbol) + " ;\n";
    out += "        lv2:name " + Quoted(port.name) + " ;\n";
    out += "        rdfs:comment " + Quoted(port.comment) + " ;\n";
    if (port.symbol == "enabled") out += "        lv2:designation lv2:enabled ;\n";
    out += PortProperties(port);
    if (!port.unit.empty()) out += "        units:unit units:" + std::string(port.unit) + " ;\n";
    out += "        lv2:default " + std::to_string(defaultValue) + " ;\n";
    out += "        lv2:minimum " + std::to_string(port.min) + " ;\n";
    out += "        lv2:maximum " + std::to_string(port.max) + "\n    ]";
    return out;
}

}  // namespace

std::string ManifestTtl(std::string_view binaryName) {
    std::string out(kPrefixes);
    out += Uri(lv2uris::kPlugin) + "\n    a lv2:Plugin ;\n    lv2:binary " + Uri(binaryName) +
           " ;\n    rdfs:seeAlso <arpeggiator.ttl> .\n";
    for (const Preset& preset : Presets()) {
        out += "\n" + PresetUri(preset) + "\n    a pset:Preset ;\n    lv2:appliesTo " +
               Uri(lv2uris::kPlugin) + " ;\n    rdfs:seeAlso <presets.ttl> .\n";
    }
    return out;
}

std::string PluginTtl() {
    std::string out(kPrefixes);
    out += Uri(lv2uris::kChord) +
           "\n    a lv2:Parameter ;\n    rdfs:label \"Chord\" ;\n"
           "    rdfs:comment \"The chord last recognised in the left-hand window\" ;\n"
           "    rdfs:range atom:String .\n\n";
    out +=
        Uri(lv2uris::kPlugin) +
        "\n    a lv2:Plugin , lv2:MIDIPlugin ;\n"
        "    doap:name \"Arpeggiator\" ;\n"
        "    rdfs:comment \"Replaces the notes that are held by a rhythmic arpeggio over them\" ;\n"
        "    lv2:requiredFeature urid:map ;\n"
        "    lv2:optionalFeature lv2:hardRTCapable , log:log ;\n"
        "    patch:readable " +
        Uri(lv2uris::kChord) + " ;\n";
    out += AtomPorts();
    const ArpeggiatorParams defaults = DefaultArpeggiatorParams();
    for (const ControlPort& port : ControlPorts()) out += ControlPortTtl(port, port.In(defaults));
    return out + " .\n";
}

std::string PresetsTtl() {
    std::string out(kPrefixes);
    for (const Preset& preset : Presets()) {
        out += PresetUri(preset) + "\n    a pset:Preset ;\n    lv2:appliesTo " +
               Uri(lv2uris::kPlugin) + " ;\n    rdfs:label " + Quoted(preset.label) +
               " ;\n    rdfs:comment " + Quoted(preset.comment) + " ;\n    lv2:port ";
        bool first = true;
        for (const ControlPort& port : ControlPorts()) {
            if (port.symbol == "enabled") continue;
            if (!first) out += " , ";
            first = false;
            out += "[\n        lv2:symbol " + Quoted(port.symbol) + " ;\n        pset:value " +
                   std::to_string(port.In(preset.params)) + "\n    ]";
        }
        out += " .\n\n";
    }
    return out;
}
