// What the run does with each track: channel 10 (General MIDI percussion) is left alone unless
// --drums, and --track chooses among the rest.
#include <gtest/gtest.h>

#include <vector>

#include "MidiEvents.h"
#include "arpeggiate/TrackPlan.h"

namespace {

midi::Event On(uint8_t channel, uint8_t key = 60) {
    return Channel(0, static_cast<uint8_t>(0x90 | channel), key, 100);
}
midi::Event Program(uint8_t channel) { return Channel(0, static_cast<uint8_t>(0xC0 | channel), 3); }

struct Row {
    const char* name;
    std::vector<midi::Event> events;
    bool chosen;
    bool drums;
    TrackFate fate;
    uint16_t channels;
    uint16_t kept;
    size_t notesKept;
};

}  // namespace

TEST(TrackPlan, DecidesEachTracksFate) {
    // clang-format off
    const Row rows[] = {
        {"drums alone are copied", {On(9, 36), On(9, 38)}, true, false, TrackFate::Drums, 1u << 9, 0, 0},
        {"drums alone with --drums", {On(9, 36)}, true, true, TrackFate::Arpeggiated, 1u << 9, 0, 0},
        {"a shared track keeps channel 10 only", {On(0), On(9, 36), On(9, 42)}, true, false, TrackFate::Arpeggiated, 1u | 1u << 9, 1u << 9, 2},
        {"a shared track with --drums keeps nothing", {On(0), On(9, 36)}, true, true, TrackFate::Arpeggiated, 1u | 1u << 9, 0, 0},
        {"a program change on channel 10 does not make drums", {Program(9), On(2)}, true, false, TrackFate::Arpeggiated, 1u << 2 | 1u << 9, 1u << 9, 0},
        {"no notes", {Program(4)}, true, false, TrackFate::NoNotes, 1u << 4, 0, 0},
        {"--track names another track, drums or not", {On(9, 36)}, false, false, TrackFate::NotChosen, 1u << 9, 0, 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        midi::File song;
        song.tracks.resize(1);
        song.tracks[0].events = row.events;
        const TrackPlan plan = PlanTracks(song, {row.chosen}, row.drums).at(0);
        EXPECT_EQ(plan.fate, row.fate);
        EXPECT_EQ(plan.channels, row.channels);
        EXPECT_EQ(plan.keptChannels, row.kept);
        EXPECT_EQ(plan.notesKept, row.notesKept);
    }
}
