// A picture of what the arpeggiator did, for a musician to read at a glance: per track, the
// played notes and the arpeggio on a piano roll with a bar and beat grid, note names on the key
// axis, the arpeggio range and the left-hand window shaded, and the chord names where the
// filter recognised them. Written as SVG, of one stretch of whole bars.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "arpeggiate/ChordWatch.h"
#include "arpeggiate/NoteSpans.h"
#include "arpeggiate/SongTiming.h"
#include "host/TempoMapConverter.h"
#include "engine/ArpeggiatorParams.h"

struct PianoRollTrack {
    std::string title;
    std::vector<NoteSpan> played;
    std::vector<NoteSpan> arpeggio;
    std::vector<ChordMark> chords;
};

struct PianoRollSong {
    std::string title;
    uint16_t ticksPerQuarter = 480;
    // The stretch drawn: from a bar line to the next bar line after it, or the song's end. The
    // notes, tempos and chords of the song are given whole; what lies outside is left out.
    uint32_t fromTick = 0;
    uint32_t toTick = 0;
    const BarGrid* grid = nullptr;
    std::vector<TempoChange> tempos;  // marked above the grid, by tick
    ArpeggiatorParams params{};
    bool chordsWatched = true;  // false: this build cannot see chord names
};

std::string DrawPianoRoll(const PianoRollSong& song, std::span<const PianoRollTrack> tracks);
