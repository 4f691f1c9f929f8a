// The stepping rules, observed through playback: step length, swing, sounding length, accent,
// the start key and both walks.
#include <gtest/gtest.h>

#include "support/FilterFixture.h"

namespace {

// Ticks as the rate, no swing: every step's time is its grid time.
void TickRate(ArpeggiatorParams& p, int32_t ticks) {
    p.rateUnits = kRateTicks;
    p.rateAmount = ticks;
    p.swing = 0;
}

std::vector<EventRecord> Triad(uint32_t duration) {
    return {Note(0, 60, 100, duration), Note(0, 64, 100, duration), Note(0, 67, 100, duration)};
}

std::vector<int> Slice(const std::vector<int>& keys, size_t from, size_t count) {
    return {keys.begin() + static_cast<long>(from), keys.begin() + static_cast<long>(from + count)};
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

TEST(Swing, DelaysOddStepsWithinTheStep) {
    FilterHarness h;
    TickRate(h.Params(), 10);
    h.Params().swing = 100;
    h.Params().legato = 99;
    auto out = h.Play(0, 100, {Note(0, 60, 100, 35)});
    // Odd steps 9 ticks late; the even step after them one tick later.
    EXPECT_EQ(Times(out), (std::vector<int>{0, 19, 20, 39}));
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(uint32_t{out[1].duration}, 1u) << "odd step sounds until the next even step";
    EXPECT_EQ(uint32_t{out[0].duration}, 18u) << "trunc(19 * 99 * 0.01)";

    FilterHarness early;
    TickRate(early.Params(), 10);
    early.Params().swing = -50;
    EXPECT_EQ(Times(early.Play(0, 100, {Note(0, 60, 100, 35)})), (std::vector<int>{0, 5, 20, 25}));
}

TEST(SoundingLength, IsALegatoShareOfTheStepAndAtLeastOneTick) {
    struct Case {
        int32_t step, legato;
        uint32_t expected;
    };
    const Case cases[] = {{120, 50, 60}, {9, 10, 1}, {100, 99, 99}, {7, 0, 1}, {100, -40, 1}};
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

TEST(Accent, ScalesByIntervalAboveTheRoot) {
    // Before any chord the root is -1, so pitch class 11 is the root's interval 0.
    struct Case {
        int key;
        bool window;
        int velocity;
    };
    const Case cases[] = {
        {71, true, 100},  // pitch class 11: full velocity
        {63, true, 90},   // pitch class 3
        {66, true, 90},   // pitch class 6
        {60, false, 70}, {64, false, 80}, {67, false, 70}, {62, false, 70},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        FilterHarness h;
        TickRate(h.Params(), 100);
        h.Params().leftHandWindowOn = c.window ? 1 : 0;
        h.Params().leftHandBottom = 0;
        h.Params().leftHandSpan = 20;
        auto out = h.Play(0, 50, {Note(0, c.key, 100, 1)});
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0].velocity, c.velocity);
    }
}

TEST(StartKey, IsTheTriggerFoldedIntoTheRange) {
    struct Case {
        int key, arpBottom, arpSpan, keepInRange, expected;
    };
    const Case cases[] = {
        {30, 36, 60, 1, 42}, {60, 36, 60, 1, 60}, {100, 36, 60, 1, 88},
        {30, 36, 60, 0, 30}, {127, 0, 12, 1, 7},
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

TEST(PitchClassWalk, TurnsAndWrapsAtTheRangeEdges) {
    struct Case {
        const char* name;
        int32_t path, arpSpan;
        size_t skip;
        std::vector<int> expected;
    };
    const Case cases[] = {
        // Range 36..96: both edges are C, active, played once at each turn.
        {"Up, Down", kPathUpDown, 60, 0, {60, 64, 67, 72, 76, 79, 84, 88, 91, 96, 91, 88, 84, 79,
                                          76, 72, 67, 64, 60, 55, 52, 48, 43, 40, 36, 40, 43}},
        // Top key 95 is not active: the last active key before it is played twice.
        {"Up, Down, top inactive", kPathUpDown, 59, 6, {84, 88, 91, 91, 88, 84}},
        {"Up, Up", kPathUpUp, 60, 7, {88, 91, 96, 40, 43, 48}},
        {"Down, Up", kPathDownUp, 60, 0, {60, 55, 52, 48, 43, 40, 36, 40, 43}},
        {"Down, Down", kPathDownDown, 60, 0, {60, 55, 52, 48, 43, 40, 36, 91, 88}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h;
        TickRate(h.Params(), 10);
        h.Params().pathDirection = c.path;
        h.Params().arpSpan = c.arpSpan;
        auto keys = Keys(h.Play(0, 400, Triad(400)));
        ASSERT_GE(keys.size(), c.skip + c.expected.size());
        EXPECT_EQ(Slice(keys, c.skip, c.expected.size()), c.expected);
    }
}

TEST(KeyWalk, TurnsOnlyAtKeysOneAnd127) {
    struct Case {
        const char* name;
        int32_t path;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"Up, Down", kPathUpDown, {60, 64, 67, 67, 64, 60, 60, 64, 67}},
        {"Up, Up", kPathUpUp, {60, 64, 67, 60, 64, 67, 60}},
        {"Down, Up", kPathDownUp, {60, 60, 64, 67, 67, 64, 60}},
        {"Down, Down", kPathDownDown, {60, 67, 64, 60, 67, 64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h;
        TickRate(h.Params(), 10);
        h.Params().keepInRange = 0;
        h.Params().pathDirection = c.path;
        auto keys = Keys(h.Play(0, 200, Triad(200)));
        ASSERT_GE(keys.size(), c.expected.size());
        EXPECT_EQ(Slice(keys, 0, c.expected.size()), c.expected);
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

TEST(LeftHandWindow, PlaysTheRecognisedChordOverTheRange) {
    FilterHarness h;
    TickRate(h.Params(), 10);
    ArpeggiatorParams& p = h.Params();
    p.leftHandWindowOn = 1;  // window 24..48
    p.arpBottom = 60;
    p.arpSpan = 12;
    // G 7 in the left hand (G B D F), a right-hand key to drive the arpeggio.
    auto out = h.Play(0, 80,
                      {Note(0, 43, 90, 200), Note(0, 47, 90, 200), Note(0, 38, 90, 200),
                       Note(0, 41, 90, 200), Note(0, 72, 100, 200)});
    // D F G B names G 7 (2nd inversion). The walk starts on 72, the top of 60..72, and goes
    // down through G 7's pitch classes; the bottom key 60 is not one, so 62 turns twice.
    EXPECT_EQ(Keys(out), (std::vector<int>{72, 71, 67, 65, 62, 62, 65, 67, 71}));
    EXPECT_EQ(h.State().chordRoot, 7);
    EXPECT_EQ(h.State().chordMask, 1169u);
    // Velocity by interval above G: 72 is a fourth (0.8), 71 a third (0.9), 67 the root.
    EXPECT_EQ(out[0].velocity, 80);
    EXPECT_EQ(out[1].velocity, 90);
    EXPECT_EQ(out[2].velocity, 100);
}
