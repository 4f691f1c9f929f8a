// One table of host cases, run against the DPF plug-in through each format's entry point, and
// compared with arphost: the MIDI played is turned into the arphost calls the format-free
// LivePlayer makes for it (the calls of LiveScheduler.h, plus the restart, settings, stop and
// bypass switches), and every message arphost reports is expected at the frame the scheduler
// gives that call, followed by the note-offs the player sends itself when it ends every note.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "FormatHost.h"
#include "HexText.h"
#include "LiveScheduler.h"
#include "NoteTracker.h"
#include "Ports.h"

namespace {

using nlohmann::json;
using Settings = std::map<std::string, int>;
constexpr int64_t kRate = 48000;
constexpr uint32_t kBlock = 256;
constexpr int64_t kTotal = 60000;
constexpr int64_t kEarly = LiveScheduler::kEarlyMs;

struct Timed {
    int64_t frame;
    std::array<uint8_t, 3> bytes;
    bool operator==(const Timed&) const = default;
};
void PrintTo(const Timed& t, std::ostream* os) {
    *os << "frame " << t.frame << ": " << std::hex << +t.bytes[0] << " " << +t.bytes[1] << " "
        << +t.bytes[2] << std::dec;
}

std::vector<Timed> Chord(std::initializer_list<int> keys, int64_t on, int64_t off) {
    std::vector<Timed> notes;
    for (int key : keys) notes.push_back({on, {0x90, static_cast<uint8_t>(key), 100}});
    for (int key : keys) {
        if (off < kTotal) notes.push_back({off, {0x80, static_cast<uint8_t>(key), 0}});
    }
    return notes;
}

struct HostCase {
    const char* name;
    Settings settings = {};
    std::vector<Timed> input = {};
    double bpm = 120.0;
    int changeBlock = -1;  // from this block on, `change` applies too
    Settings change = {};
    int stopBlock = -1;  // the transport stops at this block
    bool stateRoundTrip = false;
    int chordRoot = -1;  // the chord root output expected at the end
};
void PrintTo(const HostCase& c, std::ostream* os) { *os << c.name; }

const Settings kSixteenths = {{"rateUnits", 0}, {"noteValue", 2}, {"pathDirection", 2}};
const std::vector<Timed> kChord = Chord({60, 64, 67}, 1003, 50000);
// G 7 in the left hand, then a right-hand key while it sounds.
const std::vector<Timed> kLeftHand = [] {
    auto notes = Chord({31, 35, 38, 41}, 1003, 50000);
    notes.insert(notes.begin() + 4, {2222, {0x90, 72, 90}});
    return notes;
}();
// clang-format off
const std::vector<HostCase> kCases = {
    {.name = "HeldChordWithDefaults", .input = kChord},
    {.name = "Sixteenths120", .settings = kSixteenths, .input = kChord},
    {.name = "Sixteenths150", .settings = kSixteenths, .input = kChord, .bpm = 150.0},
    {.name = "LeftHandChord", .settings = {{"leftHandWindowOn", 1}}, .input = kLeftHand, .chordRoot = 8},
    {.name = "ControlChangeAtRunTime", .input = kChord, .changeBlock = 100, .change = {{"pathDirection", 2}, {"rateAmount", 60}}},
    {.name = "StateRoundTrip", .settings = {{"swing", 30}, {"rateAmount", 90}, {"legato", 70}, {"pathDirection", 1}}, .input = kChord, .stateRoundTrip = true},
    {.name = "Bypass", .settings = {{"enabled", 0}}, .input = Chord({60, 64, 67}, 1003, 30000)},
    {.name = "TransportStopWithNotesHeld", .input = Chord({60, 64, 67}, 1003, kTotal), .stopBlock = 120},
};
// clang-format on

ArpeggiatorParams Apply(ArpeggiatorParams params, const Settings& settings) {
    for (const ControlPort& port : ControlPorts()) {
        if (auto found = settings.find(std::string(port.symbol)); found != settings.end())
            port.In(params) = found->second;
    }
    return params;
}

// The calls LivePlayer makes, with the frame each call's output goes to (-1: none), and the
// points where it ends every note.
class Plan {
public:
    enum Kind { kCall, kDrop, kEndSounding };
    struct Step {
        Kind kind;
        int64_t frame;
    };

    void AdvanceTo(int64_t frame) {
        for (; FrameOf(nextMs) <= frame; ++nextMs) {
            Live(json::array(), nextMs - kEarly, FrameOf(nextMs));
            deadline = std::max(deadline, nextMs);
        }
    }
    void Batch(int64_t frame, const std::vector<std::array<uint8_t, 3>>& messages, bool track) {
        AdvanceTo(frame);
        json batch = json::array();
        for (const auto& m : messages) {
            batch.push_back({{"status", m[0]}, {"data1", m[1]}, {"data2", m[2]}});
            if (track) held.Track({0, m[0], m[1], m[2], 0});
        }
        const int64_t now = LiveScheduler::kAxisStartMs + (frame * 1000 + kRate - 1) / kRate;
        for (++deadline; deadline <= now + kEarly; ++deadline)
            Live(json::array(), deadline - kEarly, FrameOf(deadline));
        deadline = now + kEarly;
        Live(batch, now, frame);
        Live(json::array(), now - kEarly, frame);
    }
    void EndEverything(int64_t frame) {
        AdvanceTo(frame);
        steps.push_back({kDrop, frame});
        Op({{"op", "PlaybackStarted"}, {"time", 0}});
        std::vector<std::array<uint8_t, 3>> offs;
        held.EndAll([&](const ShortMessageRecord& off) {
            offs.push_back({off.status, off.data1, 0});
        });
        if (!offs.empty()) Batch(frame, offs, false);
        steps.push_back({kEndSounding, frame});
    }
    void Op(const json& call) {
        calls.push_back(call);
        steps.push_back({kCall, -1});
    }

    json calls = json::array();
    std::vector<Step> steps;

private:
    static int64_t FrameOf(int64_t ms) { return (ms - LiveScheduler::kAxisStartMs) * kRate / 1000; }
    void Live(const json& messages, int64_t clock, int64_t frame) {
        Op({{"op", "SetClock"}, {"ms", clock}});
        calls.push_back({{"op", "FilterLiveInput"}, {"messages", messages}});
        steps.push_back({kCall, frame});
    }

    int64_t nextMs = LiveScheduler::kAxisStartMs;
    int64_t deadline = LiveScheduler::kAxisStartMs - 1;
    NoteTracker held;  // keys held at the input, as the player tracks them
};

json Params(const ArpeggiatorParams& params) {
    json fields = json::object();
    for (const ControlPort& port : ControlPorts())
        fields[std::string(port.symbol)] = port.In(params);
    return fields;
}

// What arphost says the plug-in plays for `c`, in the order the plug-in writes it.
std::vector<Timed> Expected(const HostCase& c) {
    Plan plan;
    ArpeggiatorParams applied = DefaultArpeggiatorParams();
    bool playing = true;
    size_t next = 0;
    for (int64_t block = 0, start = 0; start < kTotal; ++block, start += kBlock) {
        const int64_t end = std::min<int64_t>(start + kBlock, kTotal);
        if (block == 0) plan.EndEverything(0);
        ArpeggiatorParams wanted = Apply(DefaultArpeggiatorParams(), c.settings);
        if (c.changeBlock >= 0 && block >= c.changeBlock) wanted = Apply(wanted, c.change);
        if (Params(wanted) != Params(applied)) {
            if (wanted.enabled != applied.enabled) plan.EndEverything(start);
            plan.Op({{"op", "SetParams"}, {"params", Params(wanted)}});
            applied = wanted;
        }
        plan.AdvanceTo(start);
        if (playing && block == c.stopBlock) plan.EndEverything(start);
        playing = playing && block != c.stopBlock;
        while (next < c.input.size() && c.input[next].frame < end) {
            std::vector<std::array<uint8_t, 3>> batch;
            const int64_t frame = c.input[next].frame;
            for (; next < c.input.size() && c.input[next].frame == frame; ++next)
                batch.push_back(c.input[next].bytes);
            plan.Batch(frame, batch, true);
        }
        plan.AdvanceTo(end - 1);
    }

    const std::string path = ::testing::TempDir() + "dpf_" + c.name + ".json";
    const json scenario = {{"host",
                            {{"ticksPerQuarter", 960},
                             {"usPerQuarter", std::llround(60e6 / c.bpm)},
                             {"lookAheadMs", 30}}},
                           {"calls", plan.calls}};
    std::ofstream(path) << scenario.dump();
    FILE* pipe = popen((std::string(ARP_ARPHOST) + " " + path).c_str(), "r");
    std::vector<Timed> out;
    char line[65536];
    const auto byFrame = [](const Timed& a, const Timed& b) { return a.frame < b.frame; };
    for (const Plan::Step& step : plan.steps) {
        if (step.kind == Plan::kDrop)
            std::erase_if(out, [&](const Timed& t) { return t.frame > step.frame; });
        if (step.kind == Plan::kEndSounding) {
            std::stable_sort(out.begin(), out.end(), byFrame);
            NoteTracker sounding;
            for (const Timed& t : out) sounding.Track({0, t.bytes[0], t.bytes[1], t.bytes[2], 0});
            sounding.EndAll([&](const ShortMessageRecord& off) {
                out.push_back({step.frame, {off.status, off.data1, off.data2}});
            });
        }
        if (step.kind != Plan::kCall || fgets(line, sizeof line, pipe) == nullptr || step.frame < 0)
            continue;
        const json result = json::parse(line);
        for (const json& m : result["out"]) {
            out.push_back({step.frame,
                           {m["status"].get<uint8_t>(), m["data1"].get<uint8_t>(),
                            m["data2"].get<uint8_t>()}});
        }
    }
    pclose(pipe);
    std::stable_sort(out.begin(), out.end(), byFrame);
    return out;
}

void SetAll(FormatHost& host, const Settings& settings) {
    const auto ports = ControlPorts();
    for (uint32_t i = 0; i < ports.size(); ++i) {
        if (auto found = settings.find(std::string(ports[i].symbol)); found != settings.end()) {
            // `enabled` is the host's bypass switch: 1 bypasses.
            host.SetParameter(i, ports[i].symbol == "enabled" ? 1 - found->second : found->second);
        }
    }
}

std::unique_ptr<FormatHost> Load(std::string_view format) {
    return format == "Clap" ? LoadClap(kRate, kBlock) : LoadVst3(kRate, kBlock);
}

std::vector<Timed> Play(const char* format, const HostCase& c, std::unique_ptr<FormatHost>& host) {
    host = Load(format);
    if (!host->Loaded()) return {};
    SetAll(*host, c.settings);
    if (c.stateRoundTrip) {
        std::vector<BlockMidi> none;
        host->Run(kBlock, {false, c.bpm, 0}, {}, none);  // hosts deliver parameters in process()
        const std::vector<uint8_t> blob = host->SaveState();
        host = Load(format);
        EXPECT_TRUE(host->LoadState(blob));
    }
    std::vector<Timed> played;
    size_t next = 0;
    int64_t position = 0;
    for (int64_t block = 0, start = 0; start < kTotal; ++block, start += kBlock) {
        const auto frames = static_cast<uint32_t>(std::min<int64_t>(kBlock, kTotal - start));
        if (block == c.changeBlock) SetAll(*host, c.change);
        const bool playing = c.stopBlock < 0 || block < c.stopBlock;
        std::vector<BlockMidi> in, out;
        for (; next < c.input.size() && c.input[next].frame < start + frames; ++next) {
            in.push_back({static_cast<uint32_t>(c.input[next].frame - start), c.input[next].bytes});
        }
        host->Run(frames, {playing, c.bpm, position}, in, out);
        if (playing) position += frames;
        for (const BlockMidi& m : out) played.push_back({start + m.offset, m.bytes});
    }
    return played;
}

class HostCases : public ::testing::TestWithParam<std::tuple<const char*, HostCase>> {};

TEST_P(HostCases, GiveTheNotesArphostGives) {
    const auto& [format, c] = GetParam();
    std::unique_ptr<FormatHost> host;
    const std::vector<Timed> played = Play(format, c, host);
    ASSERT_TRUE(host->Loaded());
    const std::vector<Timed> expected = Expected(c);
    ASSERT_GE(expected.size(), 6u);
    ASSERT_EQ(played.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(played[i], expected[i])
            << "message " << i << " expected at frame " << expected[i].frame;
    }
    if (c.chordRoot >= 0) {
        EXPECT_EQ(host->Parameter(lv2ports::kControlCount), c.chordRoot);
    }
}

std::vector<std::tuple<const char*, HostCase>> AllCases() {
    std::vector<std::tuple<const char*, HostCase>> all;
    for (const char* format : {"Clap", "Vst3"}) {
        for (const HostCase& c : kCases) all.emplace_back(format, c);
    }
    return all;
}

INSTANTIATE_TEST_SUITE_P(Formats, HostCases, ::testing::ValuesIn(AllCases()), [](const auto& test) {
    return std::string(std::get<0>(test.param)) + "_" + std::get<1>(test.param).name;
});

// The settings as DPF's state: only the state value, so that no parameter restores them.
std::vector<uint8_t> StateBlob(const std::string& value) {
    const std::string text = std::string("__dpf_state_begin__") + '\0' + "settings" + '\0' + value +
                             '\0' + "__dpf_state_end__" + '\0' + '\xfe';
    return {text.begin(), text.end() + 1};
}

std::string Hex(const ArpeggiatorParams& params, size_t bytes) {
    return ToHex({reinterpret_cast<const uint8_t*>(&params), bytes});
}

TEST(DpfState, TheSettingsBlockLoadsAndADamagedOneChangesNothing) {
    ArpeggiatorParams stored = DefaultArpeggiatorParams();
    stored.swing = 30;
    ArpeggiatorParams wrongTag = stored;
    wrongTag.formatTag.Data1 ^= 1;
    const std::string good = Hex(stored, sizeof stored);
    // clang-format off
    const std::vector<std::pair<std::string, int>> rows = {
        {good, 30},
        {Hex(stored, kParamsShortFormSize), 30},  // the short form of older projects
        {Hex(wrongTag, sizeof wrongTag), 77},
        {good.substr(0, good.size() - 2), 77},
        {good.substr(0, 10) + "zz" + good.substr(12), 77},
        {good + "00", 77},
    };
    // clang-format on
    const auto swing = static_cast<uint32_t>(
        std::ranges::find(ControlPorts(), "swing", &ControlPort::symbol) - ControlPorts().begin());
    for (const auto& [value, expected] : rows) {
        SCOPED_TRACE(value);
        std::unique_ptr<FormatHost> host = LoadClap(kRate, kBlock);
        ASSERT_TRUE(host->Loaded());
        host->SetParameter(swing, 77);
        std::vector<BlockMidi> none;
        host->Run(kBlock, {false, 120.0, 0}, {}, none);
        host->LoadState(StateBlob(value));
        EXPECT_EQ(host->Parameter(swing), expected);
    }
}

}  // namespace
