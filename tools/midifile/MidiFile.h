// A Standard MIDI File in memory: its tracks as lists of events at absolute tick positions.
// Only what formats 0 and 1 with a ticks-per-quarter division can hold is modelled.
#pragma once

#include <cstdint>
#include <vector>

namespace midi {

enum class EventType : uint8_t {
    Channel,  // a channel message: status 0x80..0xEF and one or two data bytes
    Meta,     // 0xFF, a type and a payload
    SysEx,    // 0xF0 and a payload (which normally ends in 0xF7)
    Escape,   // 0xF7 and a payload sent as it is (a continued system-exclusive or raw bytes)
};

struct Event {
    uint32_t tick = 0;  // absolute, at most kMaxTick
    EventType type = EventType::Channel;
    uint8_t status = 0;  // Channel: the status byte; Meta: 0xFF; SysEx: 0xF0; Escape: 0xF7
    uint8_t data1 = 0;   // Channel: first data byte; Meta: the meta type
    uint8_t data2 = 0;   // Channel: second data byte, 0 for messages that have one
    std::vector<uint8_t> payload;  // Meta, SysEx and Escape only

    bool operator==(const Event&) const = default;
};

// A track's events in file order (ticks never decrease). The end-of-track marker is not an
// event here: it is `endTick`, and the writer puts it back.
struct Track {
    std::vector<Event> events;
    uint32_t endTick = 0;

    bool operator==(const Track&) const = default;
};

struct File {
    uint16_t format = 1;  // 0 or 1
    uint16_t ticksPerQuarter = 480;
    std::vector<Track> tracks;

    bool operator==(const File&) const = default;
};

// Song positions are handed to the filter as signed 32-bit ticks.
inline constexpr uint32_t kMaxTick = 0x7FFFFFFF;

inline constexpr uint8_t kMetaEndOfTrack = 0x2F;
inline constexpr uint8_t kMetaTempo = 0x51;
inline constexpr uint8_t kMetaTimeSignature = 0x58;
inline constexpr uint8_t kMetaTrackName = 0x03;

// Number of data bytes of a channel message with this status (0x80..0xEF).
constexpr int DataBytesOf(uint8_t status) {
    const uint8_t kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

}  // namespace midi
