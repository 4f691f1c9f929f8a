#include "ControlInputs.h"

#include "MidiConstants.h"

#include <algorithm>
#include <cmath>

ControlInputs::ControlInputs() : wanted(DefaultArpeggiatorParams()) {}

void ControlInputs::Connect(uint32_t port, const float* buffer) {
    if (port < lv2ports::kFirstControl || port >= lv2ports::kPortCount) return;
    buffers[port - lv2ports::kFirstControl] = buffer;
}

int32_t ControlValue(const ControlPort& port, float value) {
    // A toggle is on from half way, as hosts that show it as a slider expect.
    if (port.kind == ControlKind::Toggle) return value >= 0.5f ? 1 : 0;
    const float held =
        std::clamp(value, static_cast<float>(port.min), static_cast<float>(port.max));
    return static_cast<int32_t>(std::lround(held));
}

const ArpeggiatorParams& ControlInputs::Read() {
    const auto ports = ControlPorts();
    for (size_t i = 0; i < ports.size(); ++i) {
        if (buffers[i] == nullptr || std::isnan(*buffers[i])) continue;
        ports[i].In(wanted) = ControlValue(ports[i], *buffers[i]);
    }
    wanted.leftHandSpan = std::min(wanted.leftHandSpan, midi::kHighestKey - wanted.leftHandBottom);
    wanted.arpSpan = std::min(wanted.arpSpan, midi::kHighestKey - wanted.arpBottom);
    return wanted;
}
