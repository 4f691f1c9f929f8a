// Control ports: values as the editor page would store them, a change heard from the next step,
// and the pass-through switch. The chord's publication is ArphostEquivalenceTest's.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "ControlInputs.h"
#include "Lv2TestHost.h"

namespace {

constexpr int64_t kRate = 48000;
constexpr int64_t kFramesPerMs = 48;

const ControlPort& PortNamed(std::string_view symbol) {
    for (const ControlPort& port : ControlPorts()) {
        if (port.symbol == symbol) return port;
    }
    throw std::invalid_argument("no such port");
}

}  // namespace

TEST(Controls, ValuesAreRoundedAndHeldInTheirRange) {
    struct Row {
        const char* name;
        std::string_view port;
        float value;
        int32_t expected;
    };
    const Row rows[] = {
        {"rounded", "swing", 12.6f, 13},
        {"below range", "swing", -400.0f, -100},
        {"above range", "rateAmount", 9e9f, 500},
        {"option index", "noteValue", 3.4f, 3},
        {"option past end", "pathDirection", 7.0f, 3},
        {"toggle from half", "keepInRange", 0.5f, 1},
        {"toggle below half", "playOriginals", 0.49f, 0},
        {"infinite", "legato", INFINITY, 99},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ControlValue(PortNamed(row.port), row.value), row.expected);
    }
}

// A span is narrowed so that the window's or range's top stays at key 127; NaN keeps the last
// value the port asked for.
TEST(Controls, SpansStayBelowKey128AndNaNChangesNothing) {
    ControlInputs inputs;
    float bottom = 100;
    float span = 127;
    float swing = 25;
    inputs.Connect(PortNamed("arpBottom").Index(), &bottom);
    inputs.Connect(PortNamed("arpSpan").Index(), &span);
    inputs.Connect(PortNamed("swing").Index(), &swing);
    EXPECT_EQ(inputs.Read().arpSpan, 27);
    EXPECT_EQ(inputs.Read().swing, 25);
    swing = std::numeric_limits<float>::quiet_NaN();
    bottom = 36;
    EXPECT_EQ(inputs.Read().swing, 25);
    EXPECT_EQ(inputs.Read().arpSpan, 91);
}

// A rate change while the keys are held, half way between two steps: the step the engine has
// already prepared keeps its time, every later one follows the new rate.
TEST(Controls, RateChangeIsHeardFromTheNextStep) {
    Lv2TestHost host;
    ASSERT_TRUE(host.Loaded());
    host.Set("swing", 0);
    const int64_t press = 1000 * kFramesPerMs;
    const std::vector<TimedMidi> chord = {NoteOn(press, 60), NoteOn(press, 64), NoteOn(press, 67)};
    // 5.5 steps of 100 ms, then 200 ms steps.
    host.Play(press + 550 * kFramesPerMs, 256, chord);
    host.Set("rateAmount", 200);
    host.Play(kRate * 2, 256);
    const std::vector<TimedMidi> ons = NoteOns(host.midiOut);
    ASSERT_GE(ons.size(), 12u);
    for (size_t i = 1; i < ons.size(); ++i) {
        SCOPED_TRACE(i);
        const int64_t expected = i <= 6 ? 100 : 200;
        EXPECT_LE(Distance(ons[i].frame - ons[i - 1].frame, expected * kFramesPerMs), kFramesPerMs)
            << ons[i].frame - ons[i - 1].frame;
    }
}

// Switching the pass-through off silences the played keys it let through, at once.
TEST(Controls, PlayOriginalsOffSilencesThePlayedKeys) {
    Lv2TestHost host;
    ASSERT_TRUE(host.Loaded());
    host.Set("playOriginals", 1);
    host.Play(kRate / 4, 256, {NoteOn(1000, 50, 70)});
    host.Set("playOriginals", 0);
    const int64_t switched = host.Now();
    host.Play(kRate / 4, 256);
    int silenced = 0;
    for (const TimedMidi& e : host.midiOut) {
        if (e.frame >= switched && e.bytes == std::vector<uint8_t>{0x90, 50, 0}) {
            ++silenced;
            EXPECT_LE(e.frame, switched + kFramesPerMs);
        }
    }
    EXPECT_EQ(silenced, 1);
}
