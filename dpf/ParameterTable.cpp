#include "ParameterTable.h"

#include "chord/ChordDictionary.h"

namespace dpfparams {
namespace {

using DISTRHO_NAMESPACE::kParameterDesignationBypass;
using DISTRHO_NAMESPACE::kParameterIsAutomatable;
using DISTRHO_NAMESPACE::kParameterIsBoolean;
using DISTRHO_NAMESPACE::kParameterIsInteger;
using DISTRHO_NAMESPACE::kParameterIsOutput;
using DISTRHO_NAMESPACE::Parameter;
using DISTRHO_NAMESPACE::ParameterEnumerationValue;
using DISTRHO_NAMESPACE::String;

String Text(std::string_view text) { return String(std::string(text).c_str()); }

// The LV2 units vocabulary's names as a host shows them.
const char* UnitText(std::string_view unit) {
    if (unit == "pc") return "%";
    if (unit == "semitone12TET") return "semitones";
    return "";
}

// The root names as ASCII, in pitch-class order.
std::string_view RootName(int pitchClass) {
    static constexpr std::string_view kNames[ChordDictionary::kRootCount] = {
        "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    return kNames[pitchClass];
}

void DescribeChordRoot(Parameter& parameter) {
    parameter.hints = kParameterIsOutput | kParameterIsInteger;
    parameter.name = "Chord root";
    parameter.symbol = "chordRoot";
    parameter.description = "Root of the chord named from the left-hand window; 0 for none";
    parameter.ranges.min = 0.0f;
    parameter.ranges.max = static_cast<float>(ChordDictionary::kRootCount);
    parameter.ranges.def = 0.0f;
    auto* values = new ParameterEnumerationValue[ChordDictionary::kRootCount + 1];
    values[0].value = 0.0f;
    values[0].label = "None";
    for (int root = 0; root < ChordDictionary::kRootCount; ++root) {
        values[root + 1].value = static_cast<float>(root + 1);
        values[root + 1].label = Text(RootName(root));
    }
    parameter.enumValues.count = ChordDictionary::kRootCount + 1;
    parameter.enumValues.restrictedMode = true;
    parameter.enumValues.values = values;
}

}  // namespace

void Describe(uint32_t index, Parameter& parameter) {
    if (index == kChordRoot) return DescribeChordRoot(parameter);
    const uint32_t setting = SettingOf(index);
    if (setting == kSettingCount) return;
    const ControlPort& port = ControlPorts()[setting];
    const ArpeggiatorParams defaults = DefaultArpeggiatorParams();
    if (setting == kBypassSetting) {
        // Name, symbol and range are the designation's own, as hosts expect of a bypass.
        parameter.initDesignation(kParameterDesignationBypass);
        parameter.description = Text(port.comment);
        return;
    }
    parameter.hints = kParameterIsAutomatable | kParameterIsInteger;
    if (port.kind == ControlKind::Toggle) parameter.hints |= kParameterIsBoolean;
    parameter.name = Text(port.name);
    parameter.symbol = Text(port.symbol);
    parameter.unit = UnitText(port.unit);
    parameter.description = Text(port.comment);
    parameter.ranges.min = static_cast<float>(port.min);
    parameter.ranges.max = static_cast<float>(port.max);
    parameter.ranges.def = static_cast<float>(port.In(defaults));
    if (port.kind != ControlKind::Options) return;
    auto* values = new ParameterEnumerationValue[port.options.size()];
    for (size_t i = 0; i < port.options.size(); ++i) {
        values[i].value = static_cast<float>(i);
        values[i].label = Text(port.options[i]);
    }
    parameter.enumValues.count = static_cast<uint8_t>(port.options.size());
    parameter.enumValues.restrictedMode = true;
    parameter.enumValues.values = values;
}

int32_t SettingFromValue(uint32_t setting, float value) {
    if (setting == kBypassSetting) return value >= 0.5f ? 0 : 1;
    return ControlValue(ControlPorts()[setting], value);
}

float ValueFromSetting(uint32_t setting, int32_t value) {
    if (setting == kBypassSetting) return value != 0 ? 0.0f : 1.0f;
    return static_cast<float>(value);
}

int32_t ChordRootOf(std::string_view name) {
    const std::string_view root = name.substr(0, name.find(' '));
    for (int pitchClass = 0; pitchClass < ChordDictionary::kRootCount; ++pitchClass) {
        if (root == RootName(pitchClass)) return pitchClass + 1;
    }
    return kNoChord;
}

}  // namespace dpfparams
