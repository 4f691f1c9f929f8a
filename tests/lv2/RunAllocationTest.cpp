// run() allocates nothing: the plug-in library loaded into this program allocates through its
// counting allocation functions. Each block's input is laid out
// before the count starts, so only the plug-in can allocate while it runs.
#include <gtest/gtest.h>

#include <vector>

#include "Lv2TestHost.h"
#include "support/CountingNew.h"

// Chords in the left hand, a right hand that presses and releases, the pass-through, the
// transport rolling with tempo changes and stops, settings switched and the effect bypassed
// now and then: over ten seconds of 256-frame blocks, not one allocation.
TEST(RealTime, RunAllocatesNothing) {
    Lv2TestHost host(48000.0, 65536, false);
    ASSERT_TRUE(host.Loaded());
    host.Set("leftHandWindowOn", 1);
    host.Set("playOriginals", 1);
    const int chords[][3] = {{36, 40, 43}, {41, 45, 48}, {43, 47, 50}, {38, 41, 45}};
    long total = 0;
    for (int block = 0; block < 1875; ++block) {
        const int64_t start = host.Now();
        std::vector<TimedMidi> midi;
        if (block % 40 == 0) {
            for (int key : chords[(block / 40) % 4]) midi.push_back(NoteOn(start + 3, key, 80));
        }
        if (block % 40 == 39) {
            for (int key : chords[(block / 40) % 4]) midi.push_back(NoteOff(start + 200, key));
        }
        if (block % 7 == 0) midi.push_back(NoteOn(start + 17, 60 + block % 24));
        if (block % 7 == 3) midi.push_back(NoteOff(start + 100, 60 + (block - 3) % 24));
        if (block % 300 == 150) host.Set("enabled", 0);
        if (block % 300 == 170) host.Set("enabled", 1);
        if (block % 250 == 100) host.Set("pathDirection", static_cast<float>(block % 4));
        std::vector<Position> positions;
        if (block % 100 == 0) positions.push_back({start, 1.0, 100.0 + block % 80, start});
        if (block % 500 == 499) positions.push_back({start + 128, 0.0, std::nullopt, start});
        host.Prepare(256, midi, positions);
        total += AllocationCounter::During([&] { host.RunPrepared(256); });
        host.Collect();
    }
    EXPECT_EQ(total, 0);
    EXPECT_GT(NoteOns(host.midiOut).size(), 500u);
    EXPECT_FALSE(host.notify.empty());
}
