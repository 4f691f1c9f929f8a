// Live input: which of the player's messages reach the output, what the host's ticks queue, and
// when each queued message is sent. The clock is moved by hand. Every number below is worked out
// from the timing rules for the fixture's host, 960 ticks per quarter at 500000 us per quarter:
//   MsToTicks(ms) = floor(1.92 * ms)        TicksToMs(t) = floor(t / 1.92)
// Most scenarios use 48-tick steps, legato 50 and a 100 ms look-ahead (192 ticks): a tick queues
// steps up to now + 96 ticks, plus the first at or past that horizon, each sounding 192 ticks.
// The arpeggio folds into 36..96, so a single held key of pitch class 0 walks 60, 72, 84, 96,
// 84, ... Before any chord the root is -1, which puts pitch class 0 one semitone above it:
// velocity 100 becomes 70, and pitch class 4, five semitones above, becomes 80.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/FilterFixture.h"

namespace {

constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kNoteOff = 0x80;

// Messages as one line: "on72v70@0" is a note-on of key 72 at velocity 70 and "off72@1" one
// at velocity 0, each with the time field the host receives; in pending, "@125" is the due time
// in ms. A channel other than 0 comes first ("c2:"), a status other than 0x9n in its place
// ("s81:on60v64" is a note-off with release velocity 64 on channel 1).
void Write(std::ostringstream& text, const ShortMessageRecord& m, int64_t at) {
    if (text.tellp() > 0) text << ' ';
    if ((m.status & 0xF0) != kNoteOn) {
        text << 's' << std::hex << std::uppercase << int{m.status} << std::dec << ':';
    } else if ((m.status & 0x0F) != 0) {
        text << 'c' << (m.status & 0x0F) << ':';
    }
    text << (m.data2 == 0 ? "off" : "on") << int{m.data1};
    if (m.data2 != 0) text << 'v' << int{m.data2};
    text << '@' << at;
    if (m.reserved != 0) text << 'r' << int{m.reserved};  // the filter writes 0 in what it builds
}

std::string Sent(const std::vector<ShortMessageRecord>& out) {
    std::ostringstream text;
    for (const ShortMessageRecord& m : out) Write(text, m, m.time);
    return text.str();
}

std::string Pending(const ArpeggiatorState& filter) {
    std::ostringstream text;
    for (size_t i = 0; i < filter.pending.Size(); ++i) {
        Write(text, filter.pending.At(i).message, filter.pending.At(i).dueMs);
    }
    return text.str();
}

// What happens before a call: the filter is bypassed for it, or the user has just switched
// playOriginals off, which makes the editor set flushHeld.
constexpr int kBypassed = 1, kOriginalsSwitchedOff = 2;

// One call of a scenario: the clock, the batch (empty: a tick), what the host receives, and what
// is left pending.
struct Call {
    uint32_t clockMs;
    std::vector<ShortMessageRecord> input;
    std::string sent, pending;
    int before = 0;
};
struct Scenario {
    const char* name;
    uint32_t lookAheadMs = 100;
    int32_t swing = 0, playOriginals = 0, windowOn = 0;
    std::vector<Call> calls;
};

void RunScenario(const Scenario& s) {
    SCOPED_TRACE(s.name);
    FilterHarness h(960, 500000, s.lookAheadMs);
    ArpeggiatorParams& p = h.Params();
    TickRate(p, 48);  // a step grid in ticks, so that step times do not depend on the tempo
    p.swing = s.swing;
    p.legato = 50;
    p.playOriginals = s.playOriginals;
    p.leftHandWindowOn = s.windowOn;
    for (size_t i = 0; i < s.calls.size(); ++i) {
        const Call& call = s.calls[i];
        SCOPED_TRACE(testing::Message() << "call " << i << " at " << call.clockMs << " ms");
        p.enabled = (call.before & kBypassed) != 0 ? 0 : 1;
        if ((call.before & kOriginalsSwitchedOff) != 0) {
            p.playOriginals = 0;
            h.Door().RequestFlushHeld();
        }
        h.SetClock(call.clockMs);
        EXPECT_EQ(Sent(h.Live(call.input)), call.sent);
        EXPECT_EQ(Pending(h.State()), call.pending);
    }
}

// The one tick after a press of 60 at 0 ms with the common settings: steps at 0, 48 and 96
// ticks (0, 25, 50 ms), notes ending 192 ticks later (100, 125, 150 ms).
const Call kFirstTick{0, {}, "on60v70@0", "off60@100 on72v70@25 off72@125 on84v70@50 off84@150"};

// The notes the output leaves sounding, per channel and key, played in the host's order: by
// time, so that the note-ons of a call (time 0) sound before its note-offs (time 1). A note-off
// with nothing sounding does nothing, as on a synthesiser, so an off sent before its on leaves
// the note hanging.
struct SoundingNotes {
    void Apply(std::vector<ShortMessageRecord> out) {
        std::stable_sort(out.begin(), out.end(),
                         [](const auto& a, const auto& b) { return a.time < b.time; });
        for (const ShortMessageRecord& m : out) {
            if ((m.status & 0xE0) != kNoteOff || m.data1 > 127) continue;
            int32_t& count = sounding[(m.status & 0x0F) * 128 + m.data1];
            const bool on = (m.status & 0xF0) == kNoteOn && m.data2 > 0;
            onsSent += on ? 1 : 0;
            count = on ? count + 1 : std::max(count - 1, 0);
        }
    }
    int32_t Hanging() const { return std::accumulate(sounding.begin(), sounding.end(), 0); }

    std::array<int32_t, 16 * 128> sounding{};  // by channel and key
    int64_t onsSent = 0;
};

}  // namespace

// Passed-through notes are due at once: sent in the call that brought them, newest first, with
// the host's time field replaced by 0 for a note-on and 1 for a note-off. Nothing else passes
// while enabled, and a redundant note changes only the channel; bypassed, everything passes and
// what was queued is dropped unsent, note-offs included: a stuck note is the price of bypass.
TEST(LiveInput, WhatPassesThroughAndWhatChangesNothing) {
    const std::string left = "off60@100 on72v70@25 off72@125 on84v70@50 off84@150";
    // clang-format off
    const Scenario scenarios[] = {
        {.name = "note messages pass at once, newest first", .lookAheadMs = 0, .playOriginals = 1,
         .windowOn = 1, .calls = {
            {500, {{777, 0x90, 60, 100, 0}}, "on60v100@0", ""},
            {500, {Message(0x81, 60, 64)}, "s81:on60v64@1", ""},
            {500, {On(60, 0, 2)}, "c2:off60@1", ""},
            {500, {On(60, 100), On(64, 90, 1), Message(0x80, 60, 40)},
                  "s80:on60v40@1 c1:on64v90@0 on60v100@0", ""},
            {500, {On(30, 80)}, "on30v80@0", ""}}},  // a left-hand window key
        // The tick at 26 ms (49 ticks, horizon 145) goes on with the walk from 96, at velocity
        // 70 on the last note message's channel: 144 (75 ms) and 192 (100 ms). The other kinds
        // of message name key 60 on channel 3: taken for a note, one would pass, release the key
        // or move the arpeggio's channel.
        {.name = "redundant notes change only the channel, other messages nothing",
         .playOriginals = 1, .calls = {
            {0, {On(60, 100)}, "on60v100@0", ""},
            kFirstTick,
            {5, {On(60, 90, 5)}, "c5:on60v90@0", left},
            {5, {Off(64, 3)}, "s83:off64@1", left},
            {5, {On(64, 0, 12)}, "c12:off64@1", left},
            {5, {Message(0xB3, 60, 100), Message(0xE3, 60, 64), Message(0xC3, 60, 0),
                 Message(0xA3, 60, 50), Message(0xD3, 60, 0), Message(0xF0, 60, 2),
                 Message(0xF8, 60, 0), Message(0x45, 60, 100)}, "", left},
            {26, {}, "on72v70@0", "off60@100 off72@125 on84v70@50 off84@150 c12:on96v70@75 "
                                  "c12:off96@175 c12:on84v70@100 c12:off84@200"}}},
        {.name = "bypass passes everything and drops what was queued", .calls = {
            {0, {On(60, 100)}, "", ""},
            kFirstTick,
            {0, {On(62, 100), Message(0xE0, 0, 64), Off(60), Message(0x45, 200, 255)},
                "on62v100@0 sE0:on0v64@0 s80:off60@0 s45:on200v255@0", "", kBypassed}}},
    };
    // clang-format on
    for (const Scenario& s : scenarios) RunScenario(s);
}

// The editor sets flushHeld when the user switches playOriginals off. The held arpeggio keys
// were passed through, so the next enabled call silences them (ascending, on the last channel)
// before it sends anything else, also in a call that brings a key (a plain tick is arphost's
// live_flush_held); the keys stay held for the arpeggio. The first tick queues 64
// at 0 ms (sent then), 72 at 25 ms and 76 at 50 ms; the one at 30 ms (57 ticks, horizon 153)
// adds 84 at 144 ticks (75 ms) and 88 at 192 (100 ms).
TEST(LiveInput, FlushHeldSilencesTheHeldKeysBeforeAnythingElse) {
    const std::string silence = "c2:off60@0 c2:off64@0", step72 = " c2:on72v70@0";
    const std::string left = "c2:off64@100 c2:off72@125 c2:on76v80@50 c2:off76@150";
    const std::string added = "c2:on84v70@75 c2:off84@175 c2:on88v80@100 c2:off88@200";
    // clang-format off
    const std::vector<Call> held = {
        {0, {On(64, 100, 2), On(60, 100, 2)}, "c2:on60v100@0 c2:on64v100@0", ""},
        {0, {}, "c2:on64v80@0", "c2:off64@100 c2:on72v70@25 c2:off72@125 c2:on76v80@50 c2:off76@150"}};
    const std::vector<Call> afterwards[] = {
        {{30, {On(67, 100, 2)}, silence + step72, left, kOriginalsSwitchedOff}},
        // The bypassed call drops the queued steps and leaves flushHeld for the next tick.
        {{30, {}, "", "", kBypassed | kOriginalsSwitchedOff},
         {30, {}, silence, added}},
    };
    // clang-format on
    for (const std::vector<Call>& calls : afterwards) {
        Scenario s{.name = "flush", .playOriginals = 1, .calls = held};
        s.calls.insert(s.calls.end(), calls.begin(), calls.end());
        RunScenario(s);
    }
}

// Ticks run the grid where the last one stopped; a note message never generates steps. A new
// key moves the grid to the present but keeps the step index and the walk. A message is sent
// from 12 ms before it is due.
TEST(LiveInput, TicksQueueStepsUpToTheHorizonOnAGridFromTheLastPress) {
    const Call press{0, {On(60, 100)}, "", ""};
    const std::string at26 =
        "off60@100 off72@125 on84v70@50 off84@150 on96v70@75 off96@175 "
        "on84v70@100 off84@200";
    // clang-format off
    const Scenario scenarios[] = {
        // floor(1.92 * 63) = 120, horizon 60: steps at 0, 48, then 96 (48 is before 60).
        {.name = "look-ahead 63 ms", .lookAheadMs = 63, .calls = {press,
            {0, {}, "on60v70@0", "off60@62 on72v70@25 off72@87 on84v70@50 off84@112"}}},
        // Swing 50 puts the second step at 48 + 0.5 * 47 = 71.5, truncated to 71 (36 ms): past
        // the horizon of 60, so it is the last. Its note ends at 71 + 120 = 191 ticks, 99 ms.
        {.name = "look-ahead 63 ms, swing 50", .lookAheadMs = 63, .swing = 50, .calls = {press,
            {0, {}, "on60v70@0", "off60@62 on72v70@36 off72@99"}}},
        // Without look-ahead the horizon is the clock itself: a tick in the press's own
        // millisecond finds the first step not before it and queues nothing. The grid starts at
        // the press, MsToTicks(1000) = 1920; the tick at 1001 ms (1921 ticks) queues 1920 and
        // 1968 (1025 ms), each 24 ticks long. The first ends at 1944 (1012 ms), due with the
        // 12 ms allowance: its off is newer, sent first. The second ends at 1992 (1037 ms).
        {.name = "no look-ahead", .lookAheadMs = 0, .calls = {
            {1000, {On(60, 100)}, "", ""},
            {1000, {}, "", ""},
            {1001, {}, "off60@1 on60v70@0", "on72v70@1025 off72@1037"}}},
        // At 12 ms the step due at 25 waits; at 13 ms it is sent. At 26 ms (49 ticks, horizon
        // 145) two more: 144 (75 ms, key 96) and 192 (100 ms, back down to 84). A second key at
        // 30 ms moves the grid to floor(57.6) = 57 ticks; the tick then queues 57, 105, 153
        // (29, 54, 79 ms, ending at 129, 154, 179 ms), the walk going on down from 72: 72, then
        // 64 (pitch class 4, velocity 80), then 60.
        {.name = "later ticks and a second key", .calls = {press, kFirstTick,
            {12, {}, "", "off60@100 on72v70@25 off72@125 on84v70@50 off84@150"},
            {13, {}, "on72v70@0", "off60@100 off72@125 on84v70@50 off84@150"},
            {26, {}, "", at26},
            {30, {On(64, 100)}, "", at26},
            {30, {}, "on72v70@0", at26 + " off72@129 on64v80@54 off64@154 on60v70@79 off60@179"}}},
        // None of the batches at 40 ms generates a step; the tick after them starts at the
        // second key's press (76 ticks): 76, 124, 172 ticks (39, 64, 89 ms) on 60, 64, 72.
        {.name = "only an empty call generates steps", .calls = {press,
            {40, {Message(0xB0, 1, 64)}, "", ""},
            {40, {Off(70)}, "", ""},
            {40, {On(64, 100)}, "", ""},
            {40, {Off(60), On(60, 100)}, "", ""},
            {40, {}, "on60v70@0", "off60@139 on64v80@64 off64@164 on72v70@89 off72@189"}}},
        // A released key silences its pitch class even when another held key shares it: after
        // 48 goes up, 60 is held but only pitch class 4 is played. The walk starts where the
        // first press put it, at 48, then goes on to 52 and 64.
        {.name = "releasing a key clears its pitch class though another octave is held", .calls = {
            {0, {On(48, 100)}, "", ""},
            {0, {On(60, 100)}, "", ""},
            {0, {On(64, 100)}, "", ""},
            {0, {Off(48)}, "", ""},
            {0, {}, "on48v70@0", "off48@100 on52v80@25 off52@125 on64v80@50 off64@150"}}},
    };
    // clang-format on
    for (const Scenario& s : scenarios) RunScenario(s);
}

// Legato playing: 60 is held, and one batch brings 62 down and 60 up. Whatever the order in the
// batch, every held key went down in this call, so the arpeggio restarts from 62 at velocity 100
// on a grid starting at floor(1.92 * 10) = 19 ticks: 19, 67, 115 (9, 34, 59 ms) on 62, 74, 86,
// at 70 (pitch class 2 is three above the root -1), ending at 109, 134, 159 ms.
// Regression: with the note-on first the restart took an empty message, key 0 at velocity 0,
// and the held key sounded as a silent arpeggio of velocity-0 note-ons from key 36.
TEST(LiveInput, ReplacingTheHeldKeyInOneBatchRestartsFromTheNewKey) {
    for (const auto& batch :
         {std::vector{Off(60), On(62, 100)}, std::vector{On(62, 100), Off(60)}}) {
        RunScenario(
            {.name = batch[0].data1 == 60 ? "release first" : "press first",
             .calls = {
                 {0, {On(60, 100)}, "", ""},
                 {10, batch, "", ""},
                 {10, {}, "on62v70@0", "off62@109 on74v70@34 off74@134 on86v70@59 off86@159"}}});
    }
}

TEST(LiveInput, BeginsLiveOnceOnTheFirstEnabledCall) {
    FilterHarness h;
    // Enabled or not, the batch, and how many times BeginLive was called after it.
    const std::tuple<int32_t, std::vector<ShortMessageRecord>, int32_t> calls[] = {
        {0, {}, 0}, {0, {On(60, 100)}, 0}, {1, {Message(0xB0, 1, 1)}, 1}, {1, {}, 1},
        {0, {}, 1}, {1, {On(62, 100)}, 1},
    };
    for (const auto& [enabled, input, begins] : calls) {
        h.Params().enabled = enabled;
        h.Live(input);
        EXPECT_EQ(h.live.beginCount, begins);
    }
    EXPECT_EQ(h.live.endCount, 0);
}

// The step length is taken at the tick time of the last press. A 10 ms rate is
// MsToTicks(m + 10) - MsToTicks(m) with m = TicksToMs(liveStartTicks).
TEST(LiveInput, StepLengthIsMeasuredAtTheLastPress) {
    // Pressed at 1 ms: 1 tick, m = 0: 19 - 0. At 2 ms: 3 ticks, m = 1: 21 - 1.
    for (const auto& [pressMs, stepTicks] : {std::pair{1u, 19}, std::pair{2u, 20}}) {
        FilterHarness h(960, 500000, 100);
        h.Params().rateUnits = kRateMilliseconds;
        h.Params().rateAmount = 10;
        h.SetClock(pressMs);
        h.Live({On(60, 100)});
        h.Tick();
        EXPECT_EQ(h.State().liveStepLength, stepTicks) << "pressed at " << pressMs << " ms";
    }
}

// Regression: near the clock's signed wrap a passed-through note was never due and stayed in
// the pending list until the clock came round again.
TEST(LiveInput, PassThroughAtTheClockWrapGoesOutInTheSameCall) {
    for (uint32_t clock : {0x7FFFFFF0u, 0x7FFFFFFFu, 0xFFFFFFF8u}) {
        SCOPED_TRACE(clock);
        FilterHarness h;
        h.Params().playOriginals = 1;
        h.SetClock(clock);
        EXPECT_EQ(h.Live({On(60, 100), Off(60)}).size(), 2u);
        EXPECT_TRUE(h.State().pending.Empty());
    }
}

// A tick after a long silence of the host emits at most 256 steps and moves the grid to the
// horizon instead of flooding the output. One-tick steps, no look-ahead, key at 0 ms, tick at
// 1000 ms (1920 ticks): steps 0..255, each sounding 0.5 ticks (truncated to 0), then the grid
// jumps to 1920 with the step index counted on as if every step had been played.
TEST(LivePendingCapacity, ALateTickEmitsAtMost256StepsAndSkipsTheRest) {
    FilterHarness h;
    TickRate(h.Params(), 1);
    h.Live({On(60, 100)});
    h.SetClock(1000);
    EXPECT_EQ(h.Tick().size(), 2u * 256u);
    EXPECT_EQ(h.State().liveNextTime, 1920);
    EXPECT_EQ(h.State().liveStepIndex, 1920);
    EXPECT_TRUE(h.Tick().empty()) << "1920 is not before the horizon 1920";
    h.SetClock(1001);  // 1921 ticks: steps 1920 and 1921
    EXPECT_EQ(h.Tick().size(), 4u);
}

// A block no editor would store: one-tick steps, legato 10^9 (each note lasts 10^7 ticks, about
// 87 minutes) and a 10 s look-ahead. Note-offs pile up until the list is full; then the grid
// waits, played notes go straight out, and every queued note-off still arrives in the end.
TEST(LivePendingCapacity, PilingNoteOffsFillTheListWithoutLosingOne) {
    FilterHarness h(960, 500000, 10000);
    TickRate(h.Params(), 1);
    h.Params().legato = 1000000000;
    SoundingNotes notes;
    notes.Apply(h.Live({On(60, 100)}));
    for (int tick = 0; tick < 600; ++tick) {
        h.AdvanceClock(25);
        notes.Apply(h.Tick());
    }
    EXPECT_LT(h.State().pending.Free(), 2u) << "the grid should be waiting for room";

    h.Params().playOriginals = 1;
    const std::vector<ShortMessageRecord> out = h.Live({On(61, 90), Off(61)});
    notes.Apply(out);
    const std::string sent = Sent(out);
    EXPECT_NE(sent.find("on61v90@0"), std::string::npos) << sent;
    EXPECT_NE(sent.find("s80:off61@1"), std::string::npos) << sent;
    h.Params().playOriginals = 0;

    notes.Apply(h.Live({Off(60)}));
    h.AdvanceClock(6000000);
    notes.Apply(h.Tick());
    EXPECT_TRUE(h.State().pending.Empty());
    EXPECT_GT(notes.onsSent, 2048);
    EXPECT_EQ(notes.Hanging(), 0);
}
