// The same input through the plug-in and through arphost's live path gives the same notes. The
// MIDI played into the plug-in is converted into an arphost scenario that makes the calls the
// plug-in's scheduler makes, with the same clock at each (LiveScheduler.h describes them), and
// every message arphost reports is expected at the frame the scheduler gives that call. So the
// plug-in must pass on everything the engine sends, byte for byte, at the frame of its due time,
// and publish every chord the engine names, on the notification output and in the host's log,
// whatever the host's block size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "LiveScheduler.h"
#include "Lv2TestHost.h"

namespace {

using nlohmann::json;
constexpr int64_t kRate = 48000;
constexpr int64_t kEarly = LiveScheduler::kEarlyMs;

// An input batch sees the millisecond at or after its frame.
int64_t MsFrom(int64_t frame) {
    return LiveScheduler::kAxisStartMs + (frame * 1000 + kRate - 1) / kRate;
}
int64_t FrameOf(int64_t ms) { return (ms - LiveScheduler::kAxisStartMs) * kRate / 1000; }

// arphost's calls for one run, each live call with the frame its output goes to.
class ScenarioPlan {
public:
    void AdvanceTo(int64_t frame) {
        for (; FrameOf(nextMs) <= frame; ++nextMs) {
            Live(json::array(), nextMs - kEarly, FrameOf(nextMs));
            deadline = std::max(deadline, nextMs);
        }
    }
    void Batch(int64_t frame, const json& messages) {
        AdvanceTo(frame);
        const int64_t now = MsFrom(frame);
        for (++deadline; deadline <= now + kEarly; ++deadline) {
            Live(json::array(), deadline - kEarly, FrameOf(deadline));
        }
        deadline = now + kEarly;
        Live(messages, now, frame);
        Live(json::array(), now - kEarly, frame);
    }
    void Add(const json& call) {
        calls.push_back(call);
        frames.push_back(-1);
    }

    json calls = json::array();
    std::vector<int64_t> frames;  // per call; -1 for a call that sends nothing

private:
    void Live(const json& messages, int64_t clock, int64_t frame) {
        Add({{"op", "SetClock"}, {"ms", clock}});
        calls.push_back({{"op", "FilterLiveInput"}, {"messages", messages}});
        frames.push_back(frame);
    }

    int64_t nextMs = LiveScheduler::kAxisStartMs;
    int64_t deadline = LiveScheduler::kAxisStartMs - 1;
};

std::vector<std::string> RunArphost(const json& scenario) {
    const std::string path = ::testing::TempDir() + "lv2_equivalence.json";
    std::ofstream(path) << scenario.dump();
    FILE* pipe = popen((std::string(ARP_ARPHOST) + " " + path).c_str(), "r");
    std::vector<std::string> lines;
    if (pipe == nullptr) return lines;
    char buffer[65536];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) lines.emplace_back(buffer);
    pclose(pipe);
    return lines;
}

// The calls the plug-in makes for `input` over `total` frames, as an arphost scenario.
ScenarioPlan PlanFor(const std::vector<TimedMidi>& input, int64_t total) {
    ScenarioPlan plan;
    plan.AdvanceTo(0);
    plan.Add({{"op", "PlaybackStarted"}, {"time", 0}});
    for (size_t i = 0; i < input.size();) {
        json batch = json::array();
        const int64_t frame = input[i].frame;
        for (; i < input.size() && input[i].frame == frame; ++i) {
            const auto& b = input[i].bytes;
            batch.push_back({{"status", b[0]}, {"data1", b[1]}, {"data2", b[2]}});
        }
        plan.Batch(frame, batch);
    }
    plan.AdvanceTo(total - 1);
    return plan;
}

// arphost's output placed at the frames of the calls that sent it, in the order the plug-in
// writes: by frame, and in call order within a frame.
void ReadArphost(const std::vector<std::string>& lines, const ScenarioPlan& plan,
                 std::vector<TimedMidi>& midi, std::vector<TimedText>& chords) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const json line = json::parse(lines[i]);
        for (const json& out : line["out"]) {
            midi.push_back({plan.frames[i],
                            {out["status"].get<uint8_t>(), out["data1"].get<uint8_t>(),
                             out["data2"].get<uint8_t>()}});
        }
        if (line.contains("chord")) chords.push_back({plan.frames[i], line["chord"]});
    }
    std::stable_sort(midi.begin(), midi.end(),
                     [](const TimedMidi& a, const TimedMidi& b) { return a.frame < b.frame; });
}

}  // namespace

TEST(ArphostEquivalence, PluginSendsWhatArphostSendsAtTheFrameOfEachCall) {
    const std::map<std::string, int> settings = {{"leftHandWindowOn", 1}, {"playOriginals", 1},
                                                 {"swing", 30},           {"rateAmount", 90},
                                                 {"legato", 70},          {"pathDirection", 1}};
    // G 7 in the left hand, a right hand that presses while the arpeggio runs, chord changes.
    const std::vector<TimedMidi> input = {
        NoteOn(1003, 31, 80),  NoteOn(1003, 35, 80),  NoteOn(1003, 38, 80), NoteOn(1003, 41, 80),
        NoteOn(2222, 72, 100), NoteOn(17777, 76, 90), NoteOff(30001, 72),   NoteOff(41234, 31),
        NoteOn(41234, 29, 70), NoteOff(52000, 76),    NoteOn(60017, 79),    NoteOff(80000, 79),
        NoteOff(80000, 29),    NoteOff(80000, 35),    NoteOff(80000, 38),   NoteOff(80000, 41),
    };
    const int64_t total = 2 * kRate;
    const ScenarioPlan plan = PlanFor(input, total);
    const json scenario = {
        {"host", {{"ticksPerQuarter", 960}, {"usPerQuarter", 500000}, {"lookAheadMs", 30}}},
        {"params", settings},
        {"calls", plan.calls}};
    const std::vector<std::string> lines = RunArphost(scenario);
    ASSERT_EQ(lines.size(), plan.calls.size()) << "arphost ran every call";
    std::vector<TimedMidi> expected;
    std::vector<TimedText> chords;
    ReadArphost(lines, plan, expected, chords);
    ASSERT_GT(NoteOns(expected).size(), 20u);
    ASSERT_FALSE(chords.empty());

    // The scheduler's calls do not depend on the host's block size, so neither does a frame.
    for (const uint32_t blockSize : {256u, 1u, 333u, 4096u}) {
        SCOPED_TRACE(testing::Message() << "blocks of " << blockSize);
        Lv2TestHost host;
        ASSERT_TRUE(host.Loaded());
        for (const auto& [name, value] : settings) host.Set(name, static_cast<float>(value));
        host.Play(total, blockSize, input);
        ASSERT_EQ(host.midiOut.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(host.midiOut[i].frame, expected[i].frame) << i;
            EXPECT_EQ(host.midiOut[i].bytes, expected[i].bytes) << i;
        }
        ASSERT_EQ(host.notify.size(), chords.size());
        ASSERT_EQ(host.traces.size(), chords.size());
        for (size_t i = 0; i < chords.size(); ++i) {
            EXPECT_EQ(host.notify[i].frame, chords[i].frame);
            EXPECT_EQ(host.notify[i].text, chords[i].text);
            EXPECT_EQ(host.traces[i], "Arpeggiator chord: " + chords[i].text + "\n");
        }
    }
}
