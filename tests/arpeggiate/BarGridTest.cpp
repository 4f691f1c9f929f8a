// Bar and beat positions for the summary and the piano roll's grid.
#include <gtest/gtest.h>

#include "MidiEvents.h"
#include "arpeggiate/SongTiming.h"

namespace {

midi::Event Signature(uint32_t tick, uint8_t numerator, uint8_t power) {
    return Meta(tick, midi::kMetaTimeSignature, {numerator, power, 24, 8});
}

}  // namespace

TEST(BarGrid, CountsFourFourUntilTheFirstSignature) {
    midi::File file;
    file.ticksPerQuarter = 480;
    file.tracks.resize(1);
    const BarGrid grid(file);
    EXPECT_EQ(grid.Format(0), "1:1");
    EXPECT_EQ(grid.Format(1920 + 960), "2:3");
    EXPECT_EQ(grid.Format(1920 + 970), "2:3:10");
}

// Two bars of 3/4, then 6/8 (eighth-note beats of 240 ticks).
TEST(BarGrid, FollowsSignatureChangesInTheirOwnBeatUnit) {
    midi::File file;
    file.ticksPerQuarter = 480;
    file.tracks = {{{Signature(0, 3, 2), Signature(2880, 6, 3)}, 0}};
    const BarGrid grid(file);
    EXPECT_EQ(grid.Format(1440), "2:1");
    EXPECT_EQ(grid.Format(2880), "3:1");
    EXPECT_EQ(grid.Format(2880 + 5 * 240), "3:6");
    EXPECT_EQ(grid.Format(2880 + 1440), "4:1");
    EXPECT_EQ(grid.BeatTicksAt(3000), 240);
    EXPECT_EQ(grid.BarStart(1), 0);
    EXPECT_EQ(grid.BarStart(2), 1440);
    EXPECT_EQ(grid.BarStart(3), 2880);
    EXPECT_EQ(grid.BarStart(5), 2880 + 2 * 1440);
    EXPECT_EQ(grid.At(grid.BarStart(5)).bar, 5);
    EXPECT_EQ(SongBars(grid, 2880), 2);  // ends on the line that opens bar 3
    EXPECT_EQ(SongBars(grid, 2881), 3);
}
