#include "ControlInputs.h"

#include <cmath>

ControlInputs::ControlInputs() : wanted(DefaultArpeggiatorParams()) {}

void ControlInputs::Connect(uint32_t port, const float* buffer) {
    if (port < lv2ports::kFirstControl || port >= lv2ports::kPortCount) return;
    buffers[port - lv2ports::kFirstControl] = buffer;
}

const ArpeggiatorParams& ControlInputs::Read() {
    const auto ports = ControlPorts();
    for (size_t i = 0; i < ports.size(); ++i) {
        if (buffers[i] == nullptr || std::isnan(*buffers[i])) continue;
        ports[i].In(wanted) = ControlValue(ports[i], *buffers[i]);
    }
    NarrowSpans(wanted);
    return wanted;
}
