// The events of a MIDI track, built as the reader gives them, for the codec's and the tool's
// tests.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "midifile/MidiFile.h"

// A channel message; one with a single data byte leaves data2 at 0.
inline midi::Event Channel(uint32_t tick, uint8_t status, uint8_t data1, uint8_t data2 = 0) {
    return midi::Event{tick, midi::EventType::Channel, status, data1, data2, {}};
}

inline midi::Event Meta(uint32_t tick, uint8_t type, std::vector<uint8_t> payload) {
    return midi::Event{tick, midi::EventType::Meta, 0xFF, type, 0, std::move(payload)};
}

// A text event of one letter, which marks where a meta event went.
inline midi::Event Text(uint32_t tick, char letter) {
    return Meta(tick, 0x01, {static_cast<uint8_t>(letter)});
}
