// The MIDI and engine constants that more than one file needs. A value written out twice
// drifts apart: every file takes these from here.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace midi {

// Status bytes of the channel messages the engine reads and writes.
inline constexpr uint8_t kNoteOff = 0x80;
inline constexpr uint8_t kNoteOn = 0x90;
inline constexpr uint8_t kKindMask = 0xF0;     // the message kind of a status byte
inline constexpr uint8_t kChannelMask = 0x0F;  // its channel, 0 to 15

// Keys: a note record may carry any byte, but only 0 to 127 are MIDI keys.
inline constexpr int32_t kLowestKey = 0;
inline constexpr int32_t kHighestKey = 127;
inline constexpr int32_t kKeyCount = 128;
inline constexpr int32_t kPitchClassCount = 12;

}  // namespace midi

// Entry of a per-key or per-pitch-class table that is not sounding. Playback tables hold the
// tick at which an entry stops sounding; live tables hold HeldMarker while a key is held.
inline constexpr int32_t kNotSounding = -1;
inline constexpr int32_t HeldMarker = 1234567;

// Playback's soundingCount after a note started an arpeggio and before the chunk's scan has
// counted the keys: any non-zero value keeps a second note of the same chunk from restarting it.
inline constexpr int32_t kArpeggioStarting = 999;

template <typename Table>
void MarkAllNotSounding(Table& table) {
    std::fill(std::begin(table), std::end(table), kNotSounding);
}
