// The golden notes of the host cases are what arphost gives: the MIDI each case plays is turned
// into the arphost calls the format-free LivePlayer makes for it (the calls of LiveScheduler.h,
// plus the restart, settings, stop and bypass switches), and every message arphost reports is
// expected at the frame the scheduler gives that call, followed by the note-offs the player sends
// itself when it ends every note. Native only: arphost is a native tool.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <nlohmann/json.hpp>

#include "HostCases.h"
#include "LiveScheduler.h"
#include "NoteTracker.h"
#include "Ports.h"

namespace {

using nlohmann::json;
constexpr int64_t kEarly = LiveScheduler::kEarlyMs;

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

// With ARP_UPDATE_GOLDEN=1 the file is rewritten from arphost instead.
TEST(HostCaseGolden, IsWhatArphostGives) {
    CaseNotes fromArphost;
    for (const HostCase& c : HostCaseTable()) fromArphost[c.name] = Expected(c);
    if (std::getenv("ARP_UPDATE_GOLDEN") != nullptr) WriteGolden(fromArphost);
    const CaseNotes golden = ReadGolden();
    for (const HostCase& c : HostCaseTable()) {
        EXPECT_EQ(golden.count(c.name) ? golden.at(c.name) : std::vector<Timed>{},
                  fromArphost.at(c.name))
            << c.name << " (ARP_UPDATE_GOLDEN=1 rewrites " << ARP_DPF_GOLDEN << ")";
    }
}

}  // namespace
