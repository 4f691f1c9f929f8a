#include "arpeggiate/SettingsFields.h"

#include <array>
#include <cctype>
#include <charconv>
#include <stdexcept>

#include "engine/OptionNames.h"

namespace {

using optionnames::kNoteValues;
using optionnames::kPathDirections;
using optionnames::kRateUnits;

// The ranges the editor page keeps. The engine takes any value; the tool holds a musician to
// what the page would let them set.
const std::array<SettingLimits, 14> kLimits = {{
    {"leftHandBottom", 0, 126, {}, false, "lowest key of the left-hand window"},
    {"leftHandSpan", 1, 127, {}, false, "width of the left-hand window in semitones (top <= 127)"},
    {"arpBottom", 0, 115, {}, false, "lowest key of the arpeggio range"},
    {"arpSpan", 12, 127, {}, false, "width of the arpeggio range in semitones (top <= 127)"},
    {"swing", -100, 100, {}, false, "delay of every other step, percent of a step"},
    {"rateUnits", 0, 2, kRateUnits, false, "unit of the step rate"},
    {"noteValue", 0, 10, kNoteValues, false, "length of a step when rateUnits is Notes"},
    {"pathDirection", 0, 3, kPathDirections, false, "path the arpeggio walks"},
    {"rateAmount", 1, 500, {}, false, "step length in MIDI ticks or milliseconds"},
    {"legato", 10, 99, {}, false, "sounding length of each note, percent of its step"},
    {"playOriginals", 0, 1, {}, true, "also play the notes as they were played"},
    {"leftHandWindowOn",
     0,
     1,
     {},
     true,
     "name the left-hand window's keys as a chord to arpeggiate"},
    {"keepInRange", 0, 1, {}, true, "fold the arpeggio into the arpeggio range"},
    {"enabled", 0, 1, {}, true, "0 bypasses the effect"},
}};

// Lower case without blanks, so "Up, Up", "up,up" and "UP , UP" compare equal.
std::string Folded(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != ' ' && c != '\t') {
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return out;
}

std::string Quoted(std::span<const std::string_view> texts) {
    std::string out;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) out += ", ";
        out += '"';
        out += texts[i];
        out += '"';
    }
    return out;
}

std::string RangeText(const SettingLimits& limits) {
    if (limits.isSwitch) return "0/1 (off/on)";
    if (!limits.texts.empty()) return Quoted(limits.texts);
    return std::to_string(limits.min) + ".." + std::to_string(limits.max);
}

bool ParseInt(std::string_view text, int32_t& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() && !text.empty();
}

int32_t ParseValue(const SettingLimits& limits, std::string_view text) {
    const std::string folded = Folded(text);
    for (size_t i = 0; i < limits.texts.size(); ++i) {
        if (Folded(limits.texts[i]) == folded) return static_cast<int32_t>(i);
    }
    if (limits.isSwitch && (folded == "on" || folded == "off")) return folded == "on" ? 1 : 0;

    int32_t value = 0;
    if (!ParseInt(folded, value)) {
        throw std::invalid_argument(std::string(limits.name) + ": \"" + std::string(text) +
                                    "\" is not one of " + RangeText(limits));
    }
    if (value < limits.min || value > limits.max) {
        throw std::invalid_argument(std::string(limits.name) + ": " + std::to_string(value) +
                                    " is outside " + std::to_string(limits.min) + ".." +
                                    std::to_string(limits.max));
    }
    return value;
}

std::string FieldNames() {
    std::string out;
    for (const ParamField& field : ParamFields()) {
        if (!out.empty()) out += ", ";
        out += field.name;
    }
    return out;
}

}  // namespace

const SettingLimits* FindSettingLimits(std::string_view name) {
    for (const SettingLimits& limits : kLimits) {
        if (limits.name == name) return &limits;
    }
    return nullptr;
}

SettingAssignment ParseSetting(std::string_view text) {
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        throw std::invalid_argument("--set takes FIELD=VALUE, got \"" + std::string(text) + "\"");
    }
    const std::string_view name = text.substr(0, equals);
    const ParamField* field = FindParamField(name);
    const SettingLimits* limits = FindSettingLimits(name);
    if (field == nullptr || limits == nullptr) {
        throw std::invalid_argument("unknown setting \"" + std::string(name) +
                                    "\"; the settings are " + FieldNames());
    }
    return {field, ParseValue(*limits, text.substr(equals + 1))};
}

std::string CheckRangeTops(const ArpeggiatorParams& params,
                           std::span<const SettingAssignment> changed) {
    const auto touched = [&](std::string_view a, std::string_view b) {
        for (const SettingAssignment& assignment : changed) {
            if (assignment.field->name == a || assignment.field->name == b) return true;
        }
        return false;
    };
    if (touched("leftHandBottom", "leftHandSpan") &&
        int64_t{params.leftHandBottom} + params.leftHandSpan > 127) {
        return "the left-hand window " + std::to_string(params.leftHandBottom) + " + " +
               std::to_string(params.leftHandSpan) + " reaches above key 127";
    }
    if (touched("arpBottom", "arpSpan") && int64_t{params.arpBottom} + params.arpSpan > 127) {
        return "the arpeggio range " + std::to_string(params.arpBottom) + " + " +
               std::to_string(params.arpSpan) + " reaches above key 127";
    }
    return {};
}

std::string DescribeSettings() {
    const ArpeggiatorParams defaults = DefaultArpeggiatorParams();
    std::string out;
    for (const ParamField& field : ParamFields()) {
        const SettingLimits* limits = FindSettingLimits(field.name);
        if (limits == nullptr) continue;
        const int32_t value = field.In(defaults);
        std::string fallback = std::to_string(value);
        if (!limits->texts.empty() && value >= 0 &&
            static_cast<size_t>(value) < limits->texts.size()) {
            fallback = "\"" + std::string(limits->texts[static_cast<size_t>(value)]) + "\"";
        }
        std::string line = "  " + std::string(field.name);
        line.resize(20, ' ');
        out += line + std::string(limits->meaning) + "\n" + std::string(20, ' ') +
               RangeText(*limits) + "; default " + fallback + "\n";
    }
    return out;
}

std::string SettingsLine(const ArpeggiatorParams& params) {
    if (params.enabled == 0) return "bypassed (enabled=0)";
    const auto name = [](std::span<const std::string_view> texts, int32_t index) {
        return index >= 0 && static_cast<size_t>(index) < texts.size()
                   ? std::string(texts[static_cast<size_t>(index)])
                   : std::to_string(index);
    };
    std::string rate;
    switch (params.rateUnits) {
        case kRateTicks:
            rate = std::to_string(params.rateAmount) + " tick steps";
            break;
        case kRateMilliseconds:
            rate = std::to_string(params.rateAmount) + " ms steps";
            break;
        default:
            rate = name(kNoteValues, params.noteValue) + " steps";
            break;
    }
    std::string line = name(kPathDirections, params.pathDirection) + ", " + rate + ", swing " +
                       std::to_string(params.swing) + "%, legato " + std::to_string(params.legato) +
                       "%";
    if (params.keepInRange != 0) {
        line += ", range " + std::to_string(params.arpBottom) + "-" +
                std::to_string(params.arpBottom + params.arpSpan);
    }
    if (params.leftHandWindowOn != 0) {
        line += ", left-hand window " + std::to_string(params.leftHandBottom) + "-" +
                std::to_string(params.leftHandBottom + params.leftHandSpan);
    }
    if (params.playOriginals != 0) line += ", with the played notes";
    return line;
}
