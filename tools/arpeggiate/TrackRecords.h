// A track as the host hands it to the filter, and back. The filter sees notes (kind 0) with
// their durations and the track's other channel messages; meta and system-exclusive events
// bypass it and are merged back at their places.
//
// Record bytes the filter copies through carry what the file needs back:
//   note:            hostByte12 = note-on status (0x90 | channel), hostByte17 = release velocity
//   channel message: kind kEventKindChannelMessage, hostByte12 = status, key and velocity =
//                    the data bytes, duration = the event's index in its track (its place
//                    among the bypassed events at the same tick)
// Generated notes are copies of the note that started the arpeggio, so they keep its channel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/HostInterfaces.h"
#include "midifile/MidiFile.h"

inline constexpr uint32_t kEventKindChannelMessage = 1;

struct FilterInput {
    std::vector<EventRecord> records;  // by time, in file order at equal times
    size_t noteCount = 0;
};

// The notes of `keptChannels` (bit c for channel c, 0-based) are not handed to the filter:
// they stay among the track's own events, and FromFilterRecords, given the same channels,
// puts them back exactly as they were.
FilterInput ToFilterRecords(const midi::Track& track, uint16_t keptChannels = 0);

struct FilterOutputTrack {
    midi::Track track;
    size_t notesWritten = 0;
    size_t silentNotesDropped = 0;  // velocity 0 cannot be written as a note-on
};

// Notes become note-on/note-off pairs. When a note starts on a key that is still sounding on
// its channel, the earlier note is ended first, at that tick; a note left no length by this is
// dropped. A note of duration 0 is written one tick long, as the filter counts it. At one tick
// the note-offs come first, then the track's other events in file order, then the note-ons.
// The track ends at the later of its original end and its last note-off. Note messages of
// `keptChannels` count among the track's own events.
FilterOutputTrack FromFilterRecords(const midi::Track& original,
                                    std::span<const EventRecord> output, uint16_t keptChannels = 0);
