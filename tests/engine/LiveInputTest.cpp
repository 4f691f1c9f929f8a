// Live input: which of the player's messages reach the output, what the host's ticks queue, and
// when each queued message is sent. The clock is moved by hand. Every number below is worked out
// from the timing rules for the fixture's host, 960 ticks per quarter at 500000 us per quarter:
//   MsToTicks(ms) = floor(1.92 * ms)        TicksToMs(t) = floor(t / 1.92)
// With the default block the window is off and the arpeggio folds into 36..96, so a single held
// key of pitch class 0 walks 60, 72, 84, 96, 84, ... Before any chord the root is -1, which puts
// pitch class 0 one semitone above it: velocity 100 becomes 70, and pitch class 4, five
// semitones above, becomes 80.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/FilterFixture.h"

namespace {

constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kNoteOff = 0x80;

ShortMessageRecord On(int key, int velocity, int channel = 0) {
    return Message(static_cast<uint8_t>(kNoteOn | channel), static_cast<uint8_t>(key),
                   static_cast<uint8_t>(velocity));
}

ShortMessageRecord Off(int key, int channel = 0) {
    return Message(static_cast<uint8_t>(kNoteOff | channel), static_cast<uint8_t>(key), 0);
}

// A message as the host receives it.
struct Out {
    uint32_t time;
    int status, key, velocity;
    friend bool operator==(const Out&, const Out&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Out& o) {
        return os << "{time " << o.time << ", status 0x" << std::hex << o.status << std::dec
                  << ", key " << o.key << ", velocity " << o.velocity << "}";
    }
};

std::vector<Out> Sent(const std::vector<ShortMessageRecord>& records) {
    std::vector<Out> sent;
    for (const ShortMessageRecord& r : records)
        sent.push_back({r.time, r.status, r.data1, r.data2});
    return sent;
}

// Pending as one line, oldest first: "on72v70@25" is a note-on of key 72 at velocity 70 due at
// 25 ms, "off72@125" a velocity-0 note-on due at 125 ms; a channel other than 0 or a status
// other than 0x9n is written before the key ("c3:", "s85:").
std::string Pending(const CArpeggiator& filter) {
    std::ostringstream text;
    for (size_t i = 0; i < filter.pending.Size(); ++i) {
        const PendingMessage& p = filter.pending.At(i);
        const ShortMessageRecord& m = p.message;
        if (i != 0) text << ' ';
        if ((m.status & 0xF0) != kNoteOn) {
            text << 's' << std::hex << int{m.status} << std::dec << ':';
        } else if ((m.status & 0x0F) != 0) {
            text << 'c' << (m.status & 0x0F) << ':';
        }
        text << (m.data2 == 0 ? "off" : "on") << int{m.data1};
        if (m.data2 != 0) text << 'v' << int{m.data2};
        text << '@' << p.dueMs;
    }
    return text.str();
}

bool SameBytes(const std::vector<ShortMessageRecord>& a, const std::vector<ShortMessageRecord>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

// A step grid in ticks, so that step times do not depend on the tempo.
void UseTickGrid(ArpeggiatorParams& params, int32_t stepTicks, int32_t swing = 0) {
    params.rateUnits = kRateTicks;
    params.rateAmount = stepTicks;
    params.swing = swing;
    params.legato = 50;
}

// Everything FilterLiveInput may change, so a test can show that a message changed nothing.
struct LiveSnapshot {
    std::array<int32_t, 128> held, windowKeys;
    std::array<int32_t, 12> pitchClasses;
    int32_t heldCount, startTicks, nextTime, currentNote, stepIndex, baseVelocity, direction;
    std::string pending;
    friend bool operator==(const LiveSnapshot&, const LiveSnapshot&) = default;
};

LiveSnapshot Snapshot(const CArpeggiator& f) {
    LiveSnapshot s{};
    std::copy(std::begin(f.liveHeld), std::end(f.liveHeld), s.held.begin());
    std::copy(std::begin(f.liveWindowKeys), std::end(f.liveWindowKeys), s.windowKeys.begin());
    std::copy(std::begin(f.livePitchClasses), std::end(f.livePitchClasses), s.pitchClasses.begin());
    s.heldCount = f.liveHeldCount;
    s.startTicks = f.liveStartTicks;
    s.nextTime = f.liveNextTime;
    s.currentNote = f.liveCurrentNote;
    s.stepIndex = f.liveStepIndex;
    s.baseVelocity = f.liveBaseVelocity;
    s.direction = f.liveDirection;
    s.pending = Pending(f);
    return s;
}

// The notes the output leaves sounding, per channel and key, played in the host's order: by
// time, so that the note-ons of a call (time 0) sound before its note-offs (time 1). A note-off
// with nothing sounding does nothing, as on a synthesiser, so an off sent before its on leaves
// the note hanging.
class SoundingNotes {
public:
    void Apply(std::vector<ShortMessageRecord> out) {
        std::stable_sort(out.begin(), out.end(),
                         [](const auto& a, const auto& b) { return a.time < b.time; });
        for (const ShortMessageRecord& m : out) {
            const uint8_t kind = m.status & 0xF0;
            if ((kind != kNoteOn && kind != kNoteOff) || m.data1 > 127) continue;
            int32_t& count = sounding[m.status & 0x0F][m.data1];
            if (kind == kNoteOn && m.data2 > 0) {
                ++count;
                ++onsSent;
            } else if (count > 0) {
                --count;
            }
        }
    }
    void Forget() { sounding = {}; }
    int32_t Hanging() const {
        int32_t total = 0;
        for (const auto& channel : sounding) {
            for (int32_t count : channel) total += count;
        }
        return total;
    }
    int64_t onsSent = 0;

private:
    std::array<std::array<int32_t, 128>, 16> sounding{};
};

}  // namespace

TEST(LiveInput, WhileEnabledOnlyNoteMessagesReachTheOutput) {
    struct Case {
        const char* name;
        ShortMessageRecord message;
    };
    const Case cases[] = {
        {"control change", Message(0xB3, 7, 100)},
        {"pitch bend", Message(0xE3, 0, 64)},
        {"program change", Message(0xC3, 5, 0)},
        {"polyphonic pressure", Message(0xA3, 60, 50)},
        {"channel pressure", Message(0xD3, 40, 0)},
        {"system exclusive", Message(0xF0, 1, 2)},
        {"timing clock", Message(0xF8, 0, 0)},
        {"data byte in the status", Message(0x45, 60, 100)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h;
        h.Params().playOriginals = 1;
        EXPECT_TRUE(h.Live({c.message, c.message}).empty());
        EXPECT_TRUE(h.Tick().empty());
        EXPECT_EQ(h.filter->liveChannel, 0) << "only note messages set the channel";
        EXPECT_EQ(h.filter->liveHeldCount, 0);
        EXPECT_TRUE(h.filter->pending.Empty());
    }
}

// Disabling drops what was queued, note-offs included: a stuck note is the price of bypass.
TEST(LiveInput, WhileDisabledEverythingPassesAndPendingIsDroppedUnsent) {
    ShortMessageRecord oddTime = Message(0xB1, 7, 100);
    oddTime.time = 777;
    oddTime.reserved = 0x5A;
    const std::vector<ShortMessageRecord> batch = {
        On(62, 100), Message(0xE0, 0, 64),    oddTime,
        Off(60),     Message(0x45, 200, 255), Message(0xF8, 0, 0)};
    struct Case {
        const char* name;
        std::vector<ShortMessageRecord> input;
    };
    const Case cases[] = {{"batch", batch}, {"tick", {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h(960, 500000, 100);
        UseTickGrid(h.Params(), 48);
        h.Live({On(60, 100)});
        h.Tick();
        ASSERT_FALSE(h.filter->pending.Empty());

        h.Params().enabled = 0;
        EXPECT_TRUE(SameBytes(h.Live(c.input), c.input));
        EXPECT_TRUE(h.filter->pending.Empty());

        h.Params().enabled = 1;
        h.Live({Off(60)});
        h.AdvanceClock(10000);
        EXPECT_TRUE(h.Tick().empty()) << "dropped messages must not come back";
    }
}

TEST(LiveInput, RedundantNoteMessagesChangeOnlyTheChannel) {
    struct Case {
        const char* name;
        ShortMessageRecord message;
        int channel;
        uint32_t passedTime;
    };
    const Case cases[] = {
        {"second note-on for the held key", On(60, 90, 5), 5, 0},
        {"note-off for a key that is not held", Off(64, 3), 3, 1},
        {"velocity-0 note-on for a key that is not held", On(64, 0, 12), 12, 1},
    };
    for (const Case& c : cases) {
        for (int32_t playOriginals : {0, 1}) {
            SCOPED_TRACE(testing::Message() << c.name << ", playOriginals " << playOriginals);
            FilterHarness h(960, 500000, 100);
            UseTickGrid(h.Params(), 48);
            h.Live({On(60, 100)});
            h.Tick();  // moves the cursor and the grid away from their starting values
            h.Params().playOriginals = playOriginals;
            const LiveSnapshot before = Snapshot(*h.filter);

            const std::vector<Out> sent = Sent(h.Live({c.message}));

            EXPECT_TRUE(Snapshot(*h.filter) == before);
            EXPECT_EQ(h.filter->liveChannel, c.channel);
            std::vector<Out> passed;
            if (playOriginals != 0) {
                passed.push_back(
                    {c.passedTime, c.message.status, c.message.data1, c.message.data2});
            }
            EXPECT_EQ(sent, passed);
        }
    }
}

// A released key silences its pitch class even when another held key shares it.
TEST(LiveInput, ReleasingAKeyClearsItsPitchClassThoughAnotherOctaveIsHeld) {
    struct Case {
        const char* name;
        std::vector<int> pressed;
        int released;
        std::vector<int> silentPitchClasses, heldPitchClasses;
    };
    const Case cases[] = {
        {"48 and 60, release 60", {48, 60}, 60, {0}, {}},
        {"48 and 60, release 48", {48, 60}, 48, {0}, {}},
        {"48, 60 and 64, release 48", {48, 60, 64}, 48, {0}, {4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h;
        for (int key : c.pressed) h.Live({On(key, 100)});
        h.Live({Off(c.released)});

        EXPECT_EQ(h.filter->liveHeldCount, static_cast<int32_t>(c.pressed.size()) - 1);
        for (int key : c.pressed) {
            EXPECT_EQ(h.filter->liveHeld[key], key == c.released ? -1 : HeldMarker) << key;
        }
        for (int pc : c.silentPitchClasses) EXPECT_EQ(h.filter->livePitchClasses[pc], -1) << pc;
        for (int pc : c.heldPitchClasses) {
            EXPECT_EQ(h.filter->livePitchClasses[pc], HeldMarker) << pc;
        }
    }
}

// Passed-through notes are due at once: sent in the call that brought them, newest first, with
// the host's time field replaced by 0 for a note-on and 1 for a note-off.
TEST(LiveInput, PlayOriginalsSendsEachNoteMessageInTheSameCall) {
    ShortMessageRecord stamped = On(60, 100);
    stamped.time = 777;
    struct Case {
        const char* name;
        int32_t windowOn;
        std::vector<ShortMessageRecord> input;
        std::vector<Out> expected;
    };
    const Case cases[] = {
        {"note-on", 0, {stamped}, {{0, 0x90, 60, 100}}},
        {"note-off with a release velocity", 0, {Message(0x81, 60, 64)}, {{1, 0x81, 60, 64}}},
        {"velocity-0 note-on", 0, {On(60, 0, 2)}, {{1, 0x92, 60, 0}}},
        {"batch, newest first",
         0,
         {On(60, 100), On(64, 90, 1), Message(0x80, 60, 40)},
         {{1, 0x80, 60, 40}, {0, 0x91, 64, 90}, {0, 0x90, 60, 100}}},
        {"left-hand window key", 1, {On(30, 80)}, {{0, 0x90, 30, 80}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h;
        h.Params().playOriginals = 1;
        h.Params().leftHandWindowOn = c.windowOn;
        h.SetClock(500);
        EXPECT_EQ(Sent(h.Live(c.input)), c.expected);
        EXPECT_TRUE(h.filter->pending.Empty());
    }
}

// The editor sets flushHeld when the user switches playOriginals off. The held arpeggio keys
// were passed through, so the next enabled call silences them (ascending, on the last channel)
// before it sends anything else; the keys stay held for the arpeggio.
TEST(LiveInput, FlushHeldSilencesTheHeldKeysBeforeAnythingElse) {
    const Out silence60{0, 0x92, 60, 0};
    const Out silence64{0, 0x92, 64, 0};
    // Queued by the first tick: 64 at 0 ms (sent then), 72 at 25 ms, 76 at 50 ms.
    const Out step72{0, 0x92, 72, 70};
    struct Case {
        const char* name;
        bool disabledCallFirst;
        std::vector<ShortMessageRecord> input;
        std::vector<Out> expected;
    };
    const Case cases[] = {
        {"tick", false, {}, {silence60, silence64, step72}},
        {"batch", false, {On(67, 100, 2)}, {silence60, silence64, step72}},
        // The disabled call drops the queued steps; the tick after it queues new ones for 75 ms.
        {"after a disabled call", true, {}, {silence60, silence64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h(960, 500000, 100);
        UseTickGrid(h.Params(), 48);
        h.Params().playOriginals = 1;
        h.Live({On(64, 100, 2), On(60, 100, 2)});
        h.Tick();
        h.Params().playOriginals = 0;
        h.filter->flushHeld = 1;
        h.SetClock(30);
        if (c.disabledCallFirst) {
            h.Params().enabled = 0;
            EXPECT_TRUE(h.Tick().empty());
            EXPECT_EQ(h.filter->flushHeld, 1u);
            h.Params().enabled = 1;
        }

        EXPECT_EQ(Sent(h.Live(c.input)), c.expected);
        EXPECT_EQ(h.filter->flushHeld, 0u);
        EXPECT_EQ(h.filter->liveHeld[60], HeldMarker);
        EXPECT_EQ(h.filter->liveHeld[64], HeldMarker);
        for (const Out& o : Sent(h.Tick())) EXPECT_NE(o.velocity, 0) << "flushed once only";
    }
}

TEST(LiveInput, OnlyAnEmptyCallGeneratesSteps) {
    struct Case {
        const char* name;
        std::vector<ShortMessageRecord> input;
    };
    const Case cases[] = {
        {"controller only", {Message(0xB0, 1, 64)}},
        {"note-off for a key that is not held", {Off(70)}},
        {"a second key", {On(64, 100)}},
        {"the key released and pressed again", {Off(60), On(60, 100)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h(960, 500000, 100);
        UseTickGrid(h.Params(), 48);
        h.Live({On(60, 100)});
        h.SetClock(40);
        EXPECT_TRUE(h.Live(c.input).empty());
        EXPECT_TRUE(h.filter->pending.Empty());

        EXPECT_FALSE(h.Tick().empty());
        EXPECT_FALSE(h.filter->pending.Empty());
    }
}

// A message is due from 12 ms before its due time; due ones go newest first, note-offs (0x8n or
// velocity 0) with time 1; the others keep their place.
TEST(LiveInput, SendsDueMessagesNewestFirstFromTwelveMsEarly) {
    FilterHarness h;
    h.SetClock(1000);
    struct Element {
        ShortMessageRecord message;
        int32_t dueMs;
    };
    const Element elements[] = {
        {On(60, 100), 988},   // late
        {On(61, 100), 1013},  // 13 ms ahead: waits
        {On(62, 100), 1012},  // 12 ms ahead: due
        {Message(0x85, 63, 64), 1000},
        {On(64, 100), 5000},
        {On(65, 0, 3), 1012},
        {Message(0x80, 66, 0), -5},  // long overdue
    };
    for (const Element& e : elements) {
        ASSERT_TRUE(h.filter->pending.Append(PendingMessage{e.message, e.dueMs}));
    }

    const std::vector<Out> expected = {{1, 0x80, 66, 0},
                                       {1, 0x93, 65, 0},
                                       {1, 0x85, 63, 64},
                                       {0, 0x90, 62, 100},
                                       {0, 0x90, 60, 100}};
    EXPECT_EQ(Sent(h.Tick()), expected);
    EXPECT_EQ(Pending(*h.filter), "on61v100@1013 on64v100@5000");

    h.AdvanceClock(1);
    EXPECT_EQ(Sent(h.Tick()), (std::vector<Out>{{0, 0x90, 61, 100}}));
}

TEST(LiveInput, BeginsLiveOnceOnTheFirstEnabledCall) {
    struct Call {
        int32_t enabled;
        std::vector<ShortMessageRecord> input;
        int32_t beginCount;
    };
    const Call calls[] = {
        {0, {}, 0}, {0, {On(60, 100)}, 0}, {1, {Message(0xB0, 1, 1)}, 1}, {1, {}, 1},
        {0, {}, 1}, {1, {On(62, 100)}, 1},
    };
    FilterHarness h;
    for (const Call& call : calls) {
        h.Params().enabled = call.enabled;
        h.Live(call.input);
        EXPECT_EQ(h.live.beginCount, call.beginCount);
    }
    EXPECT_EQ(h.live.endCount, 0);
}

// One tick after one key: steps are queued up to half the look-ahead past the clock, plus the
// first at or past that horizon. Key 60, velocity 100, 48-tick steps, legato 50: a step sounds
// 24 ticks or the whole look-ahead, whichever is longer.
TEST(LiveInput, TickQueuesStepsUpToTheHorizonAndOneBeyond) {
    const std::vector<Out> firstOn = {{0, 0x90, 60, 70}};
    const std::vector<Out> firstOnAndOff = {{1, 0x90, 60, 0}, {0, 0x90, 60, 70}};
    struct Case {
        const char* name;
        uint32_t lookAheadMs;
        int32_t swing;
        uint32_t pressMs, tickMs;
        std::vector<Out> sent;
        const char* pending;
    };
    const Case cases[] = {
        // Look-ahead 192 ticks, horizon 96: steps at 0, 48 and 96 (the first not before it),
        // on at 0, 25, 50 ms, each 192 ticks long, off at 100, 125, 150 ms.
        {"look-ahead 100 ms", 100, 0, 0, 0, firstOn,
         "off60@100 on72v70@25 off72@125 on84v70@50 off84@150"},
        // floor(1.92 * 102) = 195, horizon 97: the step at 96 is before it, 144 follows.
        // 195-tick notes end at floor(195 / 1.92) = 101, 126, 151 and 176 ms.
        {"look-ahead 102 ms", 102, 0, 0, 0, firstOn,
         "off60@101 on72v70@25 off72@126 on84v70@50 off84@151 on96v70@75 off96@176"},
        // floor(1.92 * 63) = 120, horizon 60: steps at 0, 48, then 96 (48 is before 60).
        {"look-ahead 63 ms, straight", 63, 0, 0, 0, firstOn,
         "off60@62 on72v70@25 off72@87 on84v70@50 off84@112"},
        // Swing 50 puts the second step at 48 + 0.5 * 47 = 71.5, truncated to 71 (36 ms): past
        // the horizon of 60, so it is the last. Its note ends at 71 + 120 = 191 ticks, 99 ms.
        {"look-ahead 63 ms, swing 50", 63, 50, 0, 0, firstOn, "off60@62 on72v70@36 off72@99"},
        // Without look-ahead the horizon is the clock itself: a tick in the press's own
        // millisecond finds the first step (at 0) not before it and queues nothing.
        {"no look-ahead, tick at the press", 0, 0, 0, 0, {}, ""},
        // One ms later: now = 1 tick; steps 0 and 48, each 24 ticks long. The first ends at
        // 24 ticks = 12 ms, due at 1 ms with the 12 ms allowance: its off is newer, sent first.
        {"no look-ahead, tick 1 ms after the press", 0, 0, 0, 1, firstOnAndOff,
         "on72v70@25 off72@37"},
        // The grid starts at the press: MsToTicks(1000) = 1920; the tick at 1001 ms (1921
        // ticks) queues 1920 and 1968 (1025 ms), ending at 1944 (1012 ms) and 1992 (1037 ms).
        {"no look-ahead, pressed at 1000 ms", 0, 0, 1000, 1001, firstOnAndOff,
         "on72v70@1025 off72@1037"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h(960, 500000, c.lookAheadMs);
        UseTickGrid(h.Params(), 48, c.swing);
        h.SetClock(c.pressMs);
        EXPECT_TRUE(h.Live({On(60, 100)}).empty());
        h.SetClock(c.tickMs);
        EXPECT_EQ(Sent(h.Tick()), c.sent);
        EXPECT_EQ(Pending(*h.filter), c.pending);
    }
}

// Ticks resume the grid where the last one stopped; a new key moves the grid to the present
// but keeps the step index and the walk. Look-ahead 100 ms (192 ticks, horizon now + 96).
TEST(LiveInput, LaterTicksContinueTheGridAndANewKeyRestartsItAtThePresent) {
    struct Call {
        const char* name;
        uint32_t clockMs;
        std::vector<ShortMessageRecord> input;
        std::vector<Out> sent;
        const char* pending;
    };
    const Call calls[] = {
        {"first tick: steps at 0, 48, 96",
         0,
         {},
         {{0, 0x90, 60, 70}},
         "off60@100 on72v70@25 off72@125 on84v70@50 off84@150"},
        // now 48, horizon 144: the next step (144) is not before it.
        {"tick at 25 ms: nothing new",
         25,
         {},
         {{0, 0x90, 72, 70}},
         "off60@100 off72@125 on84v70@50 off84@150"},
        // now floor(49.92) = 49, horizon 145: 144 (75 ms, key 96) and 192 (100 ms, back down).
        {"tick at 26 ms: two more",
         26,
         {},
         {},
         "off60@100 off72@125 on84v70@50 off84@150 on96v70@75 off96@175 on84v70@100 off84@200"},
        // A second key at 30 ms moves the grid to floor(57.6) = 57 ticks; nothing is due yet.
        {"second key at 30 ms",
         30,
         {On(64, 100)},
         {},
         "off60@100 off72@125 on84v70@50 off84@150 on96v70@75 off96@175 on84v70@100 off84@200"},
        // Horizon 153: steps at 57, 105, 153 (29, 54, 79 ms), each 192 ticks (ends at 129,
        // 154, 179 ms). The walk goes on down from 72: 72, then 64 (pitch class 4, velocity
        // 80), then 60.
        {"tick at 30 ms",
         30,
         {},
         {{0, 0x90, 72, 70}},
         "off60@100 off72@125 on84v70@50 off84@150 on96v70@75 off96@175 on84v70@100 off84@200 "
         "off72@129 on64v80@54 off64@154 on60v70@79 off60@179"},
    };
    FilterHarness h(960, 500000, 100);
    UseTickGrid(h.Params(), 48);
    h.Live({On(60, 100)});
    for (const Call& call : calls) {
        SCOPED_TRACE(call.name);
        h.SetClock(call.clockMs);
        EXPECT_EQ(Sent(h.Live(call.input)), call.sent);
        EXPECT_EQ(Pending(*h.filter), call.pending);
    }
    EXPECT_EQ(h.filter->liveStepIndex, 8);
}

// Legato playing: 60 is held, and one batch brings 62 down and 60 up. Whatever the order in the
// batch, every held key went down in this call, so the arpeggio restarts from 62 at velocity 100
// on a grid starting at floor(1.92 * 10) = 19 ticks. The tick (horizon 19 + 96 = 115) queues
// 19, 67, 115 (9, 34, 59 ms) on 62, 74, 86, at 100 * 0.7 = 70 (pitch class 2 is three above the
// root -1); 192-tick notes end at 211, 259, 307 ticks (109, 134, 159 ms).
// Regression: with the note-on first the restart took an empty message, key 0 at velocity 0,
// and the held key sounded as a silent arpeggio of velocity-0 note-ons from key 36.
TEST(LiveInput, ReplacingTheHeldKeyInOneBatchRestartsFromTheNewKey) {
    struct Case {
        const char* name;
        std::vector<ShortMessageRecord> batch;
    };
    const Case cases[] = {
        {"release first", {Off(60), On(62, 100)}},
        {"press first", {On(62, 100), Off(60)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h(960, 500000, 100);
        UseTickGrid(h.Params(), 48);
        h.Live({On(60, 100)});
        h.SetClock(10);
        h.Live(c.batch);
        EXPECT_EQ(Sent(h.Tick()), (std::vector<Out>{{0, 0x90, 62, 70}}));
        EXPECT_EQ(Pending(*h.filter), "off62@109 on74v70@34 off74@134 on86v70@59 off86@159");
    }
}

// The step length is taken at the tick time of the last press. A 10 ms rate is
// MsToTicks(m + 10) - MsToTicks(m) with m = TicksToMs(liveStartTicks).
TEST(LiveInput, StepLengthIsMeasuredAtTheLastPress) {
    struct Case {
        const char* name;
        int32_t rateUnits, rateAmount, noteValue;
        uint32_t pressMs;
        int32_t stepTicks;
    };
    const Case cases[] = {
        {"48 ticks", kRateTicks, 48, 0, 0, 48},
        // press at 1 ms: 1 tick, m = 0: 19 - 0
        {"10 ms pressed at 1 ms", kRateMilliseconds, 10, 0, 1, 19},
        // press at 2 ms: 3 ticks, m = 1: floor(21.12) - floor(1.92) = 21 - 1
        {"10 ms pressed at 2 ms", kRateMilliseconds, 10, 0, 2, 20},
        {"1/16", kRateNotes, 0, 2, 0, 240},
        {"1/32 triplet: 960 * 0.0825 = 79.2", kRateNotes, 0, 1, 0, 79},
        {"0 ticks is at least 1", kRateTicks, 0, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterHarness h(960, 500000, 100);
        h.Params().rateUnits = c.rateUnits;
        h.Params().rateAmount = c.rateAmount;
        h.Params().noteValue = c.noteValue;
        h.SetClock(c.pressMs);
        h.Live({On(60, 100)});
        h.Tick();
        EXPECT_EQ(h.filter->liveStepLength, c.stepTicks);
    }
}

// A tick after a long silence of the host emits at most 256 steps and moves the grid to the
// horizon instead of flooding the output. One-tick steps, no look-ahead, key at 0 ms, tick at
// 1000 ms (1920 ticks): steps 0..255, each sounding 0.5 ticks (truncated to 0), then the grid
// jumps to 1920 with the step index counted on as if every step had been played.
TEST(LivePendingCapacity, ALateTickEmitsAtMost256StepsAndSkipsTheRest) {
    FilterHarness h;
    UseTickGrid(h.Params(), 1);
    h.Live({On(60, 100)});
    h.SetClock(1000);
    EXPECT_EQ(h.Tick().size(), 2u * 256u);
    EXPECT_EQ(h.filter->liveNextTime, 1920);
    EXPECT_EQ(h.filter->liveStepIndex, 1920);
    EXPECT_TRUE(h.Tick().empty()) << "1920 is not before the horizon 1920";
    h.SetClock(1001);  // 1921 ticks: steps 1920 and 1921
    EXPECT_EQ(h.Tick().size(), 4u);
}

// A block no editor would store: one-tick steps, legato 10^9 (each note lasts 10^7 ticks, about
// 87 minutes) and a 10 s look-ahead. Note-offs pile up until the list is full; then the grid
// waits, played notes go straight out, and every queued note-off still arrives in the end.
TEST(LivePendingCapacity, PilingNoteOffsFillTheListWithoutLosingOne) {
    FilterHarness h(960, 500000, 10000);
    UseTickGrid(h.Params(), 1);
    h.Params().legato = 1000000000;
    const size_t capacity = h.filter->pending.Capacity();
    ASSERT_EQ(capacity, 4096u);
    SoundingNotes notes;

    notes.Apply(h.Live({On(60, 100)}));
    size_t largest = 0;
    for (int tick = 0; tick < 600; ++tick) {
        h.AdvanceClock(25);
        notes.Apply(h.Tick());
        ASSERT_LE(h.filter->pending.Size(), capacity);
        largest = std::max(largest, h.filter->pending.Size());
    }
    EXPECT_GE(largest, capacity - 1);
    EXPECT_LT(h.filter->pending.Free(), 2u) << "the grid should be waiting for room";

    h.Params().playOriginals = 1;
    const std::vector<ShortMessageRecord> out = h.Live({On(61, 90), Off(61)});
    notes.Apply(out);
    const std::vector<Out> sent = Sent(out);
    EXPECT_NE(std::find(sent.begin(), sent.end(), Out{0, 0x90, 61, 90}), sent.end());
    EXPECT_NE(std::find(sent.begin(), sent.end(), Out{1, 0x80, 61, 0}), sent.end());
    h.Params().playOriginals = 0;

    notes.Apply(h.Live({Off(60)}));
    h.AdvanceClock(6000000);
    notes.Apply(h.Tick());
    EXPECT_TRUE(h.filter->pending.Empty());
    EXPECT_GT(notes.onsSent, 2048);
    EXPECT_EQ(notes.Hanging(), 0);
}

namespace {

// Parameter blocks from a fixed seed: mostly what the editor stores, sometimes any 32-bit value.
class RandomBlocks {
public:
    explicit RandomBlocks(uint32_t seed) : rng(seed) {}

    int32_t Value(int32_t lo, int32_t hi) {
        if (Chance(0.1)) return Wild();
        return std::uniform_int_distribution<int32_t>(lo, hi)(rng);
    }
    bool Chance(double p) { return std::bernoulli_distribution(p)(rng); }
    uint32_t Below(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng); }
    uint8_t Byte() { return static_cast<uint8_t>(Below(256)); }

    void Fill(ArpeggiatorParams& p) {
        p.leftHandBottom = Value(0, 126);
        p.leftHandSpan = Value(1, 24);
        p.arpBottom = Value(0, 115);
        p.arpSpan = Value(12, 127 - std::clamp(p.arpBottom, 0, 115));
        p.swing = Value(-100, 100);
        p.rateUnits = Value(0, 2);
        p.noteValue = Value(0, 10);
        p.pathDirection = Value(0, 3);
        p.rateAmount = Value(1, 500);
        p.legato = Value(10, 99);
        p.playOriginals = Value(0, 1);
        p.leftHandWindowOn = Value(0, 1);
        p.keepInRange = Value(0, 1);
        p.enabled = Chance(0.05) ? 0 : Value(1, 1);
    }

    // Any status and data bytes, half of them note messages on real keys so that arpeggios run.
    ShortMessageRecord Message() {
        ShortMessageRecord m{Below(1000), Byte(), Byte(), Byte(), kPassedMarker};
        if (Chance(0.5)) {
            m.status = static_cast<uint8_t>((Chance(0.5) ? kNoteOn : kNoteOff) | Below(3));
            m.data1 = static_cast<uint8_t>(Below(128));
            m.data2 = static_cast<uint8_t>(Below(128));
        }
        return m;
    }

    // The filter writes 0 into the reserved byte of what it builds and passes played messages
    // through as they came: this marks the played ones.
    static constexpr uint8_t kPassedMarker = 0xA5;

private:
    int32_t Wild() {
        constexpr int32_t kEdges[] = {INT32_MIN, INT32_MIN + 1, -1000000000,   -1,
                                      0,         1000000000,    INT32_MAX - 1, INT32_MAX};
        if (Chance(0.5)) return kEdges[Below(std::size(kEdges))];
        return static_cast<int32_t>(rng());
    }

    std::mt19937 rng;
};

bool IsNote(const ShortMessageRecord& m) {
    return (m.status & 0xF0) == kNoteOn || (m.status & 0xF0) == kNoteOff;
}

int32_t CountHeld(const CArpeggiator& f) {
    return static_cast<int32_t>(
        std::count(std::begin(f.liveHeld), std::end(f.liveHeld), HeldMarker));
}

}  // namespace

// Thousands of batches and ticks under random blocks, messages and clock moves. Whatever the
// block, the filter only ever sends MIDI notes it built itself or the player's own notes,
// pending stays within its capacity, and once every key is up and the clock runs on, every
// note-on it built has been followed by its note-off. Disabling and PlaybackStarted drop the
// queue by design, so the count of sounding notes starts afresh there.
TEST(LiveInputRandomRun, SendsOnlyValidNotesAndLeavesNoneHanging) {
    RandomBlocks random(20240611);
    FilterHarness h(960, 500000, 100);
    CArpeggiator& f = *h.filter;
    const size_t capacity = f.pending.Capacity();
    SoundingNotes built;

    // Checks one call's output and feeds the notes the filter built to the count.
    auto check = [&](const std::vector<ShortMessageRecord>& input, size_t flushed,
                     const std::vector<ShortMessageRecord>& out) {
        ASSERT_LE(f.pending.Size(), capacity);
        ASSERT_EQ(f.liveHeldCount, CountHeld(f));
        ASSERT_GE(out.size(), flushed);
        for (size_t i = 0; i < flushed; ++i) {
            ASSERT_EQ(out[i].time, 0u);
            ASSERT_EQ(out[i].data2, 0);
            ASSERT_TRUE(i == 0 || out[i].data1 > out[i - 1].data1) << "ascending keys";
        }
        size_t passed = 0;
        std::vector<ShortMessageRecord> own;
        for (size_t i = flushed; i < out.size(); ++i) {
            const ShortMessageRecord& m = out[i];
            ASSERT_TRUE(IsNote(m)) << "status " << int{m.status};
            ASSERT_EQ(m.time, m.data2 == 0 || (m.status & 0xF0) == kNoteOff ? 1u : 0u);
            if (m.reserved == RandomBlocks::kPassedMarker) {
                ++passed;
                continue;
            }
            ASSERT_EQ(m.status & 0xF0, kNoteOn);
            ASSERT_LE(m.data1, 127);
            ASSERT_LE(m.data2, 127);
            own.push_back(m);
        }
        const auto notesIn = std::count_if(input.begin(), input.end(), IsNote);
        ASSERT_EQ(passed, f.params->playOriginals != 0 ? static_cast<size_t>(notesIn) : 0u);
        built.Apply(own);
    };
    auto call = [&](const std::vector<ShortMessageRecord>& input) {
        const size_t flushed = f.flushHeld != 0 ? static_cast<size_t>(CountHeld(f)) : 0;
        check(input, flushed, h.Live(input));
    };

    // Every key up, as the player's hands leave the keyboard; the next key starts afresh.
    auto releaseAll = [&] {
        std::vector<ShortMessageRecord> release;
        for (int key = 0; key < 128; ++key) {
            release.push_back(Off(key, 0));
            release.back().reserved = RandomBlocks::kPassedMarker;
        }
        call(release);
    };

    for (int round = 0; round < 20000; ++round) {
        if (round % 50 == 0) {
            random.Fill(h.Params());
            f.lookAheadMs = random.Chance(0.05) ? 100000 : random.Below(1000);
        }
        if (random.Chance(0.01)) f.flushHeld = 1;
        if (random.Chance(0.001)) {
            f.PlaybackStarted(0, nullptr);
            built.Forget();
        }
        h.AdvanceClock(random.Chance(0.01) ? 1000 + random.Below(100000) : random.Below(60));

        if (h.Params().enabled == 0) {
            std::vector<ShortMessageRecord> input(random.Below(4));
            for (auto& m : input) m = random.Message();
            ASSERT_TRUE(SameBytes(h.Live(input), input));
            built.Forget();
        } else if (random.Chance(0.002)) {
            releaseAll();
        } else if (random.Chance(0.4)) {
            std::vector<ShortMessageRecord> input(1 + random.Below(6));
            for (auto& m : input) m = random.Message();
            call(input);
        } else {
            call({});
        }
        if (HasFatalFailure()) return;
    }

    // Every key up, window off so that every key is an arpeggio key, then the clock runs on
    // until the latest possible due time (TicksToMs of the largest tick, about 1.1e9 ms).
    ArpeggiatorParams& p = h.Params();
    p.enabled = 1;
    p.leftHandWindowOn = 0;
    releaseAll();
    EXPECT_EQ(f.liveHeldCount, 0);
    for (int tick = 0; tick < 400; ++tick) {
        h.AdvanceClock(25);
        call({});
    }
    while (f.msClock.load() < 1200000000u) {
        h.AdvanceClock(std::min(f.msClock.load() + 25, 1200000000u - f.msClock.load()));
        call({});
    }
    EXPECT_TRUE(f.pending.Empty());
    EXPECT_GT(built.onsSent, 1000);
    EXPECT_EQ(built.Hanging(), 0);
}
