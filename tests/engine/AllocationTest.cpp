// The real-time calls allocate nothing after construction. The queues are sized beforehand, so
// only the filter can allocate while a call is counted. The live path's count is the LV2
// plug-in's (tests/lv2/RunAllocationTest.cpp), which drives it with chords, presses, releases,
// the pass-through and ticks.
#include <gtest/gtest.h>

#include <vector>

#include "support/CountingNew.h"
#include "support/FilterFixture.h"
#include "support/RecordingPage.h"

// Every host window size from a single tick to a whole bar, over a long song with chord
// changes in the left hand: not one allocation.
TEST(RealTime, PlaybackWithChordsAllocatesNothingForAnyWindowSize) {
    // Four bars of a left-hand chord change with a right-hand line, repeated.
    EventQueue input;
    const int chords[][3] = {{36, 40, 43}, {41, 45, 48}, {43, 47, 50}, {38, 41, 45}};
    for (int32_t bar = 0; bar < 100; ++bar) {
        const int* chord = chords[bar % 4];
        for (int k = 0; k < 3; ++k) input.records.push_back(Note(bar * 3840, chord[k], 90, 3800));
        input.records.push_back(Note(bar * 3840 + 960, 72 + bar % 7, 100, 2000));
    }
    for (int32_t window : {1, 2, 7, 60, 101, 240, 960}) {
        SCOPED_TRACE(window);
        FilterHarness h;
        RecordingPage page;
        h.Door().BindEditorPage(&page);
        ArpeggiatorParams& p = h.Params();
        p.leftHandWindowOn = 1;
        p.playOriginals = 1;
        p.rateUnits = kRateNotes;
        p.noteValue = 2;
        EventQueue output;
        output.records.reserve(1 << 18);

        long total = 0;
        for (int32_t from = 0; from < 100 * 3840; from += window) {
            total += AllocationCounter::During(
                [&] { h.filter->FilterEvents(from, from + window - 1, &input, &output); });
        }
        EXPECT_EQ(total, 0);
        // A window whose first tick is its last does no work at all.
        if (window == 1) continue;
        EXPECT_GT(page.notifications, 50) << "the chord was recognised along the way";
        EXPECT_GT(output.records.size(), 1000u);
    }
}
