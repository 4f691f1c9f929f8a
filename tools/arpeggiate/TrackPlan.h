// What the run does with each track, decided before anything is played: arpeggiate it, or copy
// it and say why. General MIDI plays channel 10 as percussion, where an arpeggio of its keys is
// a run of unrelated drum sounds, so drum notes are kept out of the arpeggio unless asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "midifile/MidiFile.h"

// General MIDI's percussion channel: 10 as musicians count, 9 in the status byte.
inline constexpr uint8_t kDrumChannel = 9;
inline constexpr uint16_t kDrumChannels = 1u << kDrumChannel;
inline constexpr uint16_t kAllChannels = 0xFFFF;

enum class TrackFate {
    Arpeggiated,
    NoNotes,    // copied: nothing to arpeggiate
    NotChosen,  // copied: --track named other tracks
    Drums,      // copied: every note is on channel 10 and --drums was not given
};

struct TrackPlan {
    TrackFate fate = TrackFate::NoNotes;
    uint16_t channels = 0;  // bit c: the track has messages on channel c (0-based)
    size_t notes = 0;       // note-ons with a velocity, as the summary counts notes in
    // Arpeggiated tracks only: the channels whose notes go around the filter, and their count.
    uint16_t keptChannels = 0;
    size_t notesKept = 0;
};

// `chosen[i]`: the command line lets track i be arpeggiated (every track when --track is not
// given). `drums`: --drums, channel 10 is arpeggiated like any other.
std::vector<TrackPlan> PlanTracks(const midi::File& song, const std::vector<bool>& chosen,
                                  bool drums);
