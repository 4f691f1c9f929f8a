// The host's clock for a song with tempo changes: millisecond positions run through every
// change, so a millisecond step rate gives fewer ticks per step where the song slows down.
#include <gtest/gtest.h>

#include "host/TempoMapConverter.h"

namespace {

// 480 ticks per quarter; 120 BPM, then 60 BPM from tick 960 (one second in).
TempoMapConverter SlowingSong() { return TempoMapConverter(480, {{0, 500000}, {960, 1000000}}); }

// How the filter measures a step of `ms` milliseconds at tick `tick`.
int32_t StepTicks(IHostTimeConverter& converter, int32_t tick, int32_t ms) {
    const int32_t at = converter.TicksToMs(tick);
    return converter.MsToTicks(at + ms) - converter.MsToTicks(at);
}

}  // namespace

// Milliseconds count through the change, so a millisecond step shrinks in ticks where the song
// slows down; a step that starts before the change and ends after it is measured across it.
TEST(TempoMapConverter, MillisecondsCountThroughTheTempoChange) {
    TempoMapConverter map = SlowingSong();
    EXPECT_EQ(map.GetTicksPerQuarter(), 480);
    EXPECT_EQ(map.TicksToMs(960), 1000);
    EXPECT_EQ(map.TicksToMs(1440), 2000);  // one beat at 60 BPM later
    EXPECT_EQ(map.MsToTicks(1000), 960);
    EXPECT_EQ(map.MsToTicks(2000), 1440);
    EXPECT_EQ(StepTicks(map, 0, 250), 240);
    EXPECT_EQ(StepTicks(map, 960, 250), 120);
    EXPECT_EQ(StepTicks(map, 840, 250), 120 + 60);
}

TEST(TempoMapConverter, BothConversionsAreMonotonicAndTicksToMsUndoesMsToTicks) {
    TempoMapConverter map(96, {{0, 600000}, {100, 250000}, {333, 1234567}, {700, 400000}});
    int32_t lastMs = map.TicksToMs(-50);
    for (int32_t tick = -49; tick < 2000; ++tick) {
        const int32_t ms = map.TicksToMs(tick);
        EXPECT_GE(ms, lastMs) << tick;
        lastMs = ms;
    }
    int32_t lastTick = map.MsToTicks(-50);
    for (int32_t ms = -49; ms < 20000; ++ms) {
        const int32_t tick = map.MsToTicks(ms);
        EXPECT_GE(tick, lastTick) << ms;
        // Truncation toward zero rounds a negative position up, so the round trip is exact
        // from the song's start on.
        if (ms >= 0) {
            EXPECT_LE(map.TicksToMs(tick), ms) << ms;
        }
        lastTick = tick;
    }
}

TEST(TempoMapConverter, TheLastOfSeveralChangesAtOneTickCountsAndOrderDoesNot) {
    TempoMapConverter map(480, {{960, 1000000}, {0, 250000}, {0, 500000}});
    EXPECT_EQ(map.TicksToMs(960), 1000);
    EXPECT_EQ(map.TicksToMs(1440), 2000);
}

TEST(TempoMapConverter, PositionsBeyondThe32BitRangeSaturate) {
    TempoMapConverter map(1, {{0, 16000000}});
    EXPECT_EQ(map.TicksToMs(INT32_MAX), INT32_MAX);
    EXPECT_EQ(map.MsToTicks(INT32_MIN), INT32_MIN / 16000);
}

// The exact quotient for any tempo map is ShortcutTest's; a map of no ticks stays at 0.
TEST(TempoMapConverter, NoTicksPerQuarterGivesTickZero) {
    EXPECT_EQ(TempoMapConverter(0, {}).MsToTicks(1000), 0);
}
