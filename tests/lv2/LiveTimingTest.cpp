// The plug-in's live timing: steps that follow the tempo the host sends. That each note leaves
// at the frame of its due time, for any block size, is ArphostEquivalenceTest's.
#include <gtest/gtest.h>

#include <vector>

#include "Lv2TestHost.h"

namespace {

constexpr int64_t kRate = 48000;
constexpr int64_t kFramesPerMs = kRate / 1000;
// A press well inside the first block and away from a millisecond boundary.
constexpr int64_t kPress = 1000 * kFramesPerMs + 17;

std::vector<TimedMidi> TriadHeldFor(int64_t frames) {
    return {NoteOn(kPress, 60),           NoteOn(kPress, 64),
            NoteOn(kPress, 67),           NoteOff(kPress + frames, 60),
            NoteOff(kPress + frames, 64), NoteOff(kPress + frames, 67)};
}

}  // namespace

// 1/16 notes follow the host's tempo: 125 ms at 120 BPM, 100 ms once it says 150 BPM. The
// step already waiting when the tempo changes keeps its time; the one after it sits between.
TEST(LiveTiming, SixteenthsFollowTheHostTempo) {
    Lv2TestHost host;
    ASSERT_TRUE(host.Loaded());
    host.Set("rateUnits", 0);
    host.Set("noteValue", 2);
    host.Set("swing", 0);
    const int64_t change = kPress + 2 * kRate + 50 * kFramesPerMs;
    const std::vector<Position> tempo = {{0, 1.0, 120.0, 0}, {change, 1.0, 150.0, change}};
    host.Play(6 * kRate, 256, TriadHeldFor(4 * kRate), tempo);
    const std::vector<TimedMidi> ons = NoteOns(host.midiOut);
    ASSERT_GE(ons.size(), 30u);
    int before = 0;
    int after = 0;
    bool transition = true;
    for (size_t i = 1; i < ons.size(); ++i) {
        SCOPED_TRACE(i);
        const int64_t gap = ons[i].frame - ons[i - 1].frame;
        if (ons[i].frame < change) {
            EXPECT_LE(Distance(gap, 125 * kFramesPerMs), kFramesPerMs) << gap;
            ++before;
        } else if (ons[i - 1].frame > change && !transition) {
            EXPECT_LE(Distance(gap, 100 * kFramesPerMs), kFramesPerMs) << gap;
            ++after;
        } else if (ons[i - 1].frame > change) {
            EXPECT_GE(gap, 75 * kFramesPerMs - kFramesPerMs);
            EXPECT_LE(gap, 125 * kFramesPerMs + kFramesPerMs);
            transition = false;
        }
    }
    EXPECT_GE(before, 15);
    EXPECT_GE(after, 8);
}
