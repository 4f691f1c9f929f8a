// Ending notes: a stop or a jump of the host's transport, deactivation, and the bypass switch
// leave no note sounding; bypassed, every message passes unchanged.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "Lv2TestHost.h"

namespace {

constexpr int64_t kRate = 48000;
constexpr int64_t kPress = 4800 + 5;
// 250 ms after the press, half way through the third step: with legato 99 a note is on.
constexpr int64_t kMidStep = kPress + 250 * 48;

bool IsOn(const TimedMidi& e) {
    return e.bytes.size() == 3 && (e.bytes[0] & 0xF0) == 0x90 && e.bytes[2] > 0;
}
bool IsOff(const TimedMidi& e) {
    return e.bytes.size() == 3 &&
           ((e.bytes[0] & 0xF0) == 0x80 || ((e.bytes[0] & 0xF0) == 0x90 && e.bytes[2] == 0));
}

// Notes on after the last event, counting a key's ons and offs per channel in order.
int SoundingAtEnd(const std::vector<TimedMidi>& events) {
    std::map<std::pair<int, int>, int> on;
    for (const TimedMidi& e : events) {
        auto& count = on[{e.bytes[0] & 0x0F, e.bytes.size() > 1 ? e.bytes[1] : 0}];
        if (IsOn(e)) ++count;
        if (IsOff(e) && count > 0) --count;
    }
    int total = 0;
    for (const auto& entry : on) total += entry.second;
    return total;
}

int OnsFrom(const std::vector<TimedMidi>& events, int64_t frame) {
    int ons = 0;
    for (const TimedMidi& e : events) ons += IsOn(e) && e.frame >= frame ? 1 : 0;
    return ons;
}

std::vector<TimedMidi> HeldTriad() {
    return {NoteOn(kPress, 60), NoteOn(kPress, 64), NoteOn(kPress, 67)};
}

}  // namespace

// The transport stops (or jumps) while the keys are held: every note ends at that frame and
// no step follows, though the keys were never released. After an xrun the host's transport may
// be cycles ahead of the plug-in, or have stood still for them, as JACK's does: no jump, the
// arpeggio goes on.
TEST(Transport, StopOrJumpEndsEveryNoteAtItsFrameButLostCyclesAreNoJump) {
    struct Row {
        const char* name;
        std::optional<double> speed;
        int64_t hostFrame;  // where the host says it is at `at`
        bool ends;
    };
    const int64_t at = kPress + kRate / 2 + 100;
    const Row rows[] = {
        {"stop", 0.0, at, true},
        {"jump forward", 1.0, 5 * kRate, true},
        {"loop back", 1.0, at - kRate, true},
        {"host ran ahead", 1.0, at + 512, false},
        {"host stood still", 1.0, at - 256, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Lv2TestHost host;
        ASSERT_TRUE(host.Loaded());
        host.Set("legato", 99);  // a note is on nearly all the time
        host.Play(2 * kRate, 256, HeldTriad(),
                  {{0, 1.0, 120.0, 0}, {at, row.speed, std::nullopt, row.hostFrame}});
        std::vector<TimedMidi> upToChange;
        for (const TimedMidi& e : host.midiOut) {
            if (e.frame <= at) upToChange.push_back(e);
        }
        EXPECT_GT(OnsFrom(host.midiOut, 0), 3);
        if (row.ends) {
            EXPECT_EQ(SoundingAtEnd(upToChange), 0);
            EXPECT_EQ(OnsFrom(host.midiOut, at + 1), 0);
        } else {
            EXPECT_GT(OnsFrom(host.midiOut, at + kRate / 2), 3);
        }
    }
}

// The host cannot take output between deactivate and activate: the next run ends the notes at
// its first frame.
TEST(Transport, DeactivationEndsNotesInTheNextRun) {
    Lv2TestHost host;
    ASSERT_TRUE(host.Loaded());
    host.Set("legato", 99);
    host.Play(kMidStep, 256, HeldTriad());
    ASSERT_GT(SoundingAtEnd(host.midiOut), 0);
    host.Deactivate();
    host.Activate();
    const size_t before = host.midiOut.size();
    host.Play(kRate / 2, 256);
    ASSERT_GT(host.midiOut.size(), before);
    EXPECT_EQ(host.midiOut[before].frame, kMidStep);
    EXPECT_TRUE(IsOff(host.midiOut[before]));
    EXPECT_EQ(SoundingAtEnd(host.midiOut), 0);
    EXPECT_EQ(OnsFrom(host.midiOut, kMidStep), 0) << "the engine forgot the held keys";
}

TEST(Transport, BypassPassesEveryMessageUnchanged) {
    Lv2TestHost host;
    ASSERT_TRUE(host.Loaded());
    host.Set("enabled", 0);
    const std::vector<TimedMidi> input = {
        NoteOn(100, 60, 90, 3),
        {100, {0xB3, 64, 127}},                       // sustain pedal
        {250, {0xE3, 0x00, 0x40}},                    // pitch bend
        {300, {0xC3, 12}},                            // program change, two bytes
        {400, {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}},  // system exclusive
        {401, {0xF8}},                                // clock
        NoteOff(5000, 60, 3),
    };
    host.Play(kRate / 4, 64, input);
    ASSERT_EQ(host.midiOut.size(), input.size());
    for (size_t i = 0; i < input.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(host.midiOut[i].frame, input[i].frame);
        EXPECT_EQ(host.midiOut[i].bytes, input[i].bytes);
    }
}

// Working, the effect lets only notes out: a controller or a system exclusive message is dropped.
TEST(Transport, WorkingEffectDropsEverythingButNotes) {
    Lv2TestHost host;
    ASSERT_TRUE(host.Loaded());
    host.Play(kRate / 4, 64, {{100, {0xB0, 64, 127}}, {200, {0xF0, 0x01, 0xF7}}});
    EXPECT_TRUE(host.midiOut.empty());
}

// Switching the effect off and on again while a chord sounds: every note ends at the switch,
// then the input passes through, then the arpeggio waits for new keys.
TEST(Transport, SwitchingBypassEndsTheNotesThatSound) {
    Lv2TestHost host;
    ASSERT_TRUE(host.Loaded());
    host.Set("legato", 99);
    host.Play(kMidStep, 256, HeldTriad());
    ASSERT_GT(SoundingAtEnd(host.midiOut), 0);
    host.Set("enabled", 0);
    host.Play(kRate / 2, 256, {NoteOn(kMidStep + 10, 72), NoteOff(kMidStep + 500, 72)});
    EXPECT_EQ(SoundingAtEnd(host.midiOut), 0);
    EXPECT_EQ(OnsFrom(host.midiOut, kMidStep), 1) << "only the key played while bypassed";
    host.Set("enabled", 1);
    const int64_t enabledAgain = host.Now();
    host.Play(kRate / 2, 256);
    EXPECT_EQ(OnsFrom(host.midiOut, enabledAgain), 0);
    EXPECT_EQ(SoundingAtEnd(host.midiOut), 0);
}
