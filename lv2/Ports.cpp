#include "Ports.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "MidiConstants.h"
#include "engine/OptionNames.h"

namespace {

using optionnames::kNoteValues;
using optionnames::kPathDirections;
using optionnames::kRateUnits;
using P = ArpeggiatorParams;
constexpr auto kNumber = ControlKind::Number;
constexpr auto kToggle = ControlKind::Toggle;
constexpr auto kOptions = ControlKind::Options;

// Ranges as the editor page keeps them. The two span ports reach 127 although the top of a
// window or range may not pass key 127: the plug-in narrows a span against its bottom when it
// applies the ports, as the page does.
const std::array<ControlPort, lv2ports::kControlCount> kPorts = {{
    {"leftHandBottom",
     "Left-hand window bottom",
     &P::leftHandBottom,
     0,
     126,
     kNumber,
     {},
     "midiNote",
     "Lowest key of the left-hand window"},
    {"leftHandSpan",
     "Left-hand window span",
     &P::leftHandSpan,
     1,
     127,
     kNumber,
     {},
     "semitone12TET",
     "Width of the left-hand window; its top stays at or below key 127"},
    {"arpBottom",
     "Arpeggio range bottom",
     &P::arpBottom,
     0,
     115,
     kNumber,
     {},
     "midiNote",
     "Lowest key of the arpeggio range"},
    {"arpSpan",
     "Arpeggio range span",
     &P::arpSpan,
     12,
     127,
     kNumber,
     {},
     "semitone12TET",
     "Width of the arpeggio range; its top stays at or below key 127"},
    {"swing",
     "Swing",
     &P::swing,
     -100,
     100,
     kNumber,
     {},
     "pc",
     "Delay of every other step, in percent of a step"},
    {"rateUnits",
     "Rate units",
     &P::rateUnits,
     0,
     2,
     kOptions,
     kRateUnits,
     {},
     "Unit of the step rate"},
    {"noteValue",
     "Note value",
     &P::noteValue,
     0,
     10,
     kOptions,
     kNoteValues,
     {},
     "Length of a step when the rate is in notes"},
    {"pathDirection",
     "Path",
     &P::pathDirection,
     0,
     3,
     kOptions,
     kPathDirections,
     {},
     "Path the arpeggio walks"},
    {"rateAmount",
     "Rate amount",
     &P::rateAmount,
     1,
     500,
     kNumber,
     {},
     {},
     "Length of a step in MIDI ticks or milliseconds"},
    {"legato",
     "Legato",
     &P::legato,
     10,
     99,
     kNumber,
     {},
     "pc",
     "Sounding length of each note, in percent of its step"},
    {"playOriginals",
     "Play originals",
     &P::playOriginals,
     0,
     1,
     kToggle,
     {},
     {},
     "Also play the notes as they were played"},
    {"leftHandWindowOn",
     "Left-hand window",
     &P::leftHandWindowOn,
     0,
     1,
     kToggle,
     {},
     {},
     "Name the keys held in the left-hand window as a chord and arpeggiate its notes"},
    {"keepInRange",
     "Keep in range",
     &P::keepInRange,
     0,
     1,
     kToggle,
     {},
     {},
     "Fold the arpeggio into the arpeggio range"},
    {"enabled",
     "Enabled",
     &P::enabled,
     0,
     1,
     kToggle,
     {},
     {},
     "Off passes every MIDI message through unchanged"},
}};

}  // namespace

std::span<const ControlPort> ControlPorts() { return kPorts; }

uint32_t ControlPort::Index() const {
    return lv2ports::kFirstControl + static_cast<uint32_t>(this - kPorts.data());
}

int32_t ControlValue(const ControlPort& port, float value) {
    // A toggle is on from half way, as hosts that show it as a slider expect.
    if (port.kind == ControlKind::Toggle) return value >= 0.5f ? 1 : 0;
    const float held =
        std::clamp(value, static_cast<float>(port.min), static_cast<float>(port.max));
    return static_cast<int32_t>(std::lround(held));
}

void NarrowSpans(ArpeggiatorParams& params) {
    params.leftHandSpan = std::min(params.leftHandSpan, midi::kHighestKey - params.leftHandBottom);
    params.arpSpan = std::min(params.arpSpan, midi::kHighestKey - params.arpBottom);
}
