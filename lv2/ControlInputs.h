// The control ports as the editor page would store them: each value rounded to an integer,
// held within its port's range, and each span narrowed so that the top of its window or range
// stays at or below key 127. The plug-in reads them once per block and writes the block into
// the filter only when a value changed. [run thread]
#pragma once

#include <array>

#include "Ports.h"
#include "engine/ArpeggiatorParams.h"

class ControlInputs {
public:
    ControlInputs();

    void Connect(uint32_t port, const float* buffer);

    // The settings the ports ask for now. A port not connected, or holding NaN, keeps the
    // value it asked for last (at first, the engine's default).
    const ArpeggiatorParams& Read();

private:
    std::array<const float*, lv2ports::kControlCount> buffers{};
    ArpeggiatorParams wanted;
};
