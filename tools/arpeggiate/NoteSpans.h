// Notes as a musician sees them: a key held from one tick to another on one channel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "midifile/MidiFile.h"

struct NoteSpan {
    uint32_t start = 0;
    uint32_t end = 0;  // at or after start
    uint8_t channel = 0;
    uint8_t key = 0;
    uint8_t velocity = 0;         // 1..127
    uint8_t releaseVelocity = 0;  // of the note-off; 64 when it was a note-on of velocity 0
    size_t onIndex = 0;           // the note-on's index in the track's events
};

// Pairs every note-on with the next note-off of its channel and key (a note-off or a note-on of
// velocity 0), first in first out, so overlapping notes on one key end in the order they began.
// A note still on at the end of its track lasts to the track's end; a note-off with no note to
// end is ignored. The result is in the order of the note-ons. Only the notes of `channels`
// (bit c for channel c, 0-based) are paired; the default takes every channel.
std::vector<NoteSpan> PairNotes(const midi::Track& track, uint16_t channels = 0xFFFF);
