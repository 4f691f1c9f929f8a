// What a run did, told to the musician: per track its name, channels, the notes in and out,
// why it was copied if it was, and the chords the filter recognised at their bar and beat;
// which bars the piano roll shows; and the time the work took.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "arpeggiate/ChordWatch.h"
#include "arpeggiate/RollBars.h"
#include "arpeggiate/SongTiming.h"
#include "arpeggiate/TrackPlan.h"

struct TrackSummary {
    size_t number = 0;  // from 1, in file order
    std::string name;   // the track's name event, if any
    TrackFate fate = TrackFate::NoNotes;
    uint16_t channels = 0;  // bit c: channel c (0-based) has messages in the track
    size_t notesIn = 0;
    size_t notesOut = 0;   // the kept notes included
    size_t notesKept = 0;  // channel 10's, left as they were in an arpeggiated track
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
    std::string pianoRollFile;  // empty: none drawn
    BarStretch pianoRollBars;
};

std::string FormatSummary(const RunSummary& summary, const BarGrid& grid);

// The name event of a track, or an empty string.
std::string TrackName(const midi::Track& track);
