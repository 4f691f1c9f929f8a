// What a run did, told to the musician: per track the notes in and out and the chords the
// filter recognised at their bar and beat, and the time the work took.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "arpeggiate/ChordWatch.h"
#include "arpeggiate/SongTiming.h"

struct TrackSummary {
    size_t number = 0;  // from 1, in file order
    std::string name;   // the track's name event, if any
    bool arpeggiated = false;
    size_t notesIn = 0;
    size_t notesOut = 0;
    size_t silentNotesDropped = 0;
    std::vector<ChordMark> chords;
};

struct RunSummary {
    std::string input;
    std::string output;
    std::string settings;  // SettingsLine
    int format = 1;
    int ticksPerQuarter = 480;
    int32_t windowTicks = 0;
    uint32_t endTick = 0;
    bool leftHandWindowOn = false;
    bool chordsWatched = true;
    double filterMs = 0;  // the filter calls alone
    double totalMs = 0;   // reading to writing
    std::vector<TrackSummary> tracks;
};

std::string FormatSummary(const RunSummary& summary, const BarGrid& grid);

// The name event of a track, or an empty string.
std::string TrackName(const midi::Track& track);
