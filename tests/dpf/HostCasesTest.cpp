// One table of host cases (HostCases.cpp), run against the DPF plug-in through each format's
// entry point, and compared with the golden notes that the native build proves against arphost
// (ArphostNotesTest.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "FormatHost.h"
#include "HexText.h"
#include "HostCases.h"
#include "ParameterTable.h"
#include "Ports.h"

namespace {

void SetAll(FormatHost& host, const Settings& settings) {
    const auto ports = ControlPorts();
    for (uint32_t i = 0; i < ports.size(); ++i) {
        if (auto found = settings.find(std::string(ports[i].symbol)); found != settings.end()) {
            // `enabled` is the host's bypass switch: 1 bypasses.
            host.SetParameter(dpfparams::ParameterOf(i),
                              ports[i].symbol == "enabled" ? 1 - found->second : found->second);
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

TEST_P(HostCases, GiveTheGoldenNotes) {
    const auto& [format, c] = GetParam();
    std::unique_ptr<FormatHost> host;
    const std::vector<Timed> played = Play(format, c, host);
    ASSERT_TRUE(host->Loaded());
    const std::vector<Timed> expected = ReadGolden()[c.name];
    ASSERT_GE(expected.size(), 6u);
    ASSERT_EQ(played.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(played[i], expected[i])
            << "message " << i << " expected at frame " << expected[i].frame;
    }
    if (c.chordRoot >= 0) {
        EXPECT_EQ(host->Parameter(dpfparams::kChordRoot), c.chordRoot);
    }
}

std::vector<std::tuple<const char*, HostCase>> AllCases() {
    std::vector<std::tuple<const char*, HostCase>> all;
    for (const char* format : {"Clap", "Vst3"}) {
        for (const HostCase& c : HostCaseTable()) all.emplace_back(format, c);
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
    const auto swing = dpfparams::ParameterOf(static_cast<uint32_t>(
        std::ranges::find(ControlPorts(), "swing", &ControlPort::symbol) - ControlPorts().begin()));
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
