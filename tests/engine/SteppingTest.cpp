// The stepping rules, observed through playback: step length, swing, sounding length, the start
// key and the walks. The accents, the worked example and most walks are arphost's golden
// scenarios (tests/arphost/scenarios).
#include <gtest/gtest.h>

#include <tuple>

#include "support/FilterFixture.h"

namespace {

std::vector<EventRecord> Triad(uint32_t duration) {
    return {Note(0, 60, 100, duration), Note(0, 64, 100, duration), Note(0, 67, 100, duration)};
}

}  // namespace

TEST(StepLength, FollowsTheRateUnitsAndIsNeverBelowOneTick) {
    struct Case {
        const char* name;
        int32_t ticksPerQuarter;
        int32_t rateUnits, noteValue, rateAmount;
        std::vector<int> times;
    };
    const Case cases[] = {
        {"1 tick", 960, kRateTicks, 0, 1, {0, 1, 2, 3, 4}},
        {"ticks, zero amount", 960, kRateTicks, 0, 0, {0, 1, 2, 3, 4}},
        {"1/16 at 960", 960, kRateNotes, 2, 100, {0, 240}},
        {"1/16 T at 960 is 0.165 of a quarter", 960, kRateNotes, 3, 100, {0, 158, 316}},
        {"1/32 at 4 tpq truncates to 0, played as 1", 4, kRateNotes, 0, 100, {0, 1, 2, 3, 4}},
        // 500000 us per quarter at 960 tpq: 100 ms are 192 ticks.
        {"100 ms", 960, kRateMilliseconds, 0, 100, {0, 192, 384}},
        {"noteValue past the menu uses Whole", 96, kRateNotes, 99, 100, {0, 384}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h(c.ticksPerQuarter);
        ArpeggiatorParams& p = h.Params();
        p.swing = 0;
        p.rateUnits = c.rateUnits;
        p.noteValue = c.noteValue;
        p.rateAmount = c.rateAmount;
        const auto last = static_cast<uint32_t>(c.times.back());
        auto out = h.Play(0, 400, {Note(0, 60, 100, last == 0 ? 1 : last)});
        EXPECT_EQ(Times(out), c.times);
    }
}

// Swing 100 is arphost's golden scenario swing_100; a step sounds until the next one at most.
TEST(Swing, PlaysOddStepsEarlyWhenNegativeAndLateWhenPositive) {
    for (const auto& [swing, times, firstLength] :
         {std::tuple{-50, std::vector<int>{0, 5, 20, 25}, 4u},
          std::tuple{100, std::vector<int>{0, 19, 20, 39}, 18u}}) {
        FilterHarness h;
        TickRate(h.Params(), 10);
        h.Params().swing = swing;
        h.Params().legato = 99;
        const auto out = h.Play(0, 100, {Note(0, 60, 100, 35)});
        EXPECT_EQ(Times(out), times) << swing;
        EXPECT_EQ(uint32_t{out[0].duration}, firstLength) << "trunc(step to the next * 99 %)";
    }
}

TEST(SoundingLength, IsALegatoShareOfTheStepAndAtLeastOneTick) {
    struct Case {
        int32_t step, legato;
        uint32_t expected;
    };
    const Case cases[] = {{120, 50, 60}, {100, 99, 99}, {7, 0, 1}, {100, -40, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "step " << c.step << " legato " << c.legato);
        FilterHarness h;
        TickRate(h.Params(), c.step);
        h.Params().legato = c.legato;
        auto out = h.Play(0, 50, {Note(0, 60, 100, 1)});
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(uint32_t{out[0].duration}, c.expected);
    }
}

TEST(StartKey, IsTheTriggerFoldedIntoTheRange) {
    struct Case {
        int key, arpBottom, arpSpan, keepInRange, expected;
    };
    const Case cases[] = {
        {30, 36, 60, 1, 42}, {60, 36, 60, 1, 60}, {100, 36, 60, 1, 88}, {30, 36, 60, 0, 30},
        {127, 0, 12, 1, 7},  {97, 36, 60, 1, 85}, {35, 36, 60, 1, 47},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        FilterHarness h;
        TickRate(h.Params(), 100);
        h.Params().arpBottom = c.arpBottom;
        h.Params().arpSpan = c.arpSpan;
        h.Params().keepInRange = c.keepInRange;
        auto out = h.Play(0, 50, {Note(0, c.key, 100, 1)});
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0].key, c.expected);
    }
}

// The walks that arphost's golden scenarios (tests/arphost/scenarios/walk_*) leave out: over the
// range the walk turns at its active edge keys, per key only at keys 1 and 127.
TEST(Walk, DownUpOverTheRangeAndTheDownPathsPerKey) {
    struct Case {
        const char* name;
        int32_t path, keepInRange;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"Down, Up over the range", kPathDownUp, 1, {60, 55, 52, 48, 43, 40, 36, 40, 43}},
        {"Down, Up per key", kPathDownUp, 0, {60, 60, 64, 67, 67, 64, 60}},
        {"Down, Down per key", kPathDownDown, 0, {60, 67, 64, 60, 67, 64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h;
        TickRate(h.Params(), 10);
        h.Params().pathDirection = c.path;
        h.Params().keepInRange = c.keepInRange;
        auto keys = Keys(h.Play(0, 200, Triad(200)));
        ASSERT_GE(keys.size(), c.expected.size());
        keys.resize(c.expected.size());
        EXPECT_EQ(keys, c.expected);
    }
}

// Regression: key 0 held alone once sent the walk below the key table.
TEST(KeyWalk, KeyZeroAloneRepeatsInsteadOfWalkingOffTheTable) {
    for (int32_t path : {kPathUpDown, kPathDownUp, kPathUpUp, kPathDownDown}) {
        SCOPED_TRACE(path);
        FilterHarness h;
        TickRate(h.Params(), 10);
        h.Params().keepInRange = 0;
        h.Params().pathDirection = path;
        auto keys = Keys(h.Play(0, 100, {Note(0, 0, 100, 50)}));
        EXPECT_EQ(keys, (std::vector<int>{0, 0, 0, 0, 0, 0}));
    }
}
