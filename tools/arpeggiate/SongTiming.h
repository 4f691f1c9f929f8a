// The song's clock as the file sets it: its tempo changes for the host's time converter and
// its time signatures for bar and beat positions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/TempoMapConverter.h"
#include "midifile/MidiFile.h"

// Tempo events of every track (a format 1 file keeps them in its first track, but nothing
// stops a writer from putting them elsewhere), in tick order.
std::vector<TempoChange> CollectTempoChanges(const midi::File& file);

class BarGrid {
public:
    // Time signatures of every track; 4/4 until the first one.
    explicit BarGrid(const midi::File& file);

    struct Position {
        int64_t bar;    // from 1
        int64_t beat;   // from 1, in the signature's beat unit
        int64_t ticks;  // into the beat
    };
    Position At(int64_t tick) const;
    // "bar:beat", or "bar:beat:ticks" off the beat.
    std::string Format(int64_t tick) const;
    // Ticks per beat at the tick, for drawing a grid.
    int64_t BeatTicksAt(int64_t tick) const;
    // The tick at which a bar (from 1; bar 1 and below start at 0) begins.
    int64_t BarStart(int64_t bar) const;

private:
    struct Signature {
        int64_t tick;
        int64_t firstBar;  // number of the bar that starts at `tick`
        int64_t beatsPerBar;
        int64_t beatTicks;
    };
    const Signature& SignatureAt(int64_t tick) const;

    std::vector<Signature> signatures;
};

// The last tick anything of the file happens at: the latest track end.
uint32_t SongEndTick(const midi::File& file);

// The bars a song ending at `endTick` spans; one that ends on a bar line does not count the
// bar it opens.
int64_t SongBars(const BarGrid& grid, uint32_t endTick);
