// The block the format benchmarks play through the test hosts of tests/dpf: 256 frames at
// 48 kHz, the played notes passed through, EVENTS/2 keys pressed at frame 10 and released at
// frame 200, so that the engine starts and stops an arpeggio in every block (as Lv2RunBench's).
#pragma once

#include <vector>

#include "FormatHost.h"
#include "ParameterTable.h"
#include "Ports.h"

inline constexpr uint32_t kFormatBlock = 256;

// Sets the host's plug-in up for the block and gives the block's input.
inline std::vector<BlockMidi> PrepareFormatBlock(FormatHost& host, int events) {
    const auto ports = ControlPorts();
    for (uint32_t i = 0; i < ports.size(); ++i) {
        if (ports[i].symbol == "playOriginals") host.SetParameter(dpfparams::ParameterOf(i), 1);
    }
    std::vector<BlockMidi> in;
    for (int i = 0; i < events / 2; ++i)
        in.push_back({10, {0x90, static_cast<uint8_t>(48 + i % 40), 100}});
    for (int i = 0; i < events / 2; ++i)
        in.push_back({200, {0x80, static_cast<uint8_t>(48 + i % 40), 0}});
    return in;
}
