// Parameter blocks and traffic for the validator, from a seeded generator so that a failing
// run can be repeated.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "engine/ArpeggiatorParams.h"
#include "engine/HostInterfaces.h"

class RandomBlocks {
public:
    explicit RandomBlocks(uint32_t seed) : random(seed) {}

    // A block the editor could store.
    ArpeggiatorParams Valid();
    // Any 32-bit value in any setting, extremes often; the tag and version stay valid.
    ArpeggiatorParams Extreme();
    std::vector<uint8_t> Bytes(size_t count);
    // Any bytes in the key, velocity and duration fields; now and then a non-note.
    std::vector<EventRecord> Notes(int32_t from, int count);
    // Notes a sequencer would record: keys and velocities 1..127, durations of a tick or more.
    std::vector<EventRecord> ValidNotes(int32_t from, int count);
    std::vector<ShortMessageRecord> Messages(int count);

    int32_t Between(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    }

private:
    std::mt19937 random;
};
