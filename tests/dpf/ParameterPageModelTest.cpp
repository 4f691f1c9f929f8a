// The editor page's model in the VST3 and CLAP plug-ins: what the host hears of the page's edits
// (one gesture per parameter touched, the bypass inverted), which host changes refresh the page
// (not the echo of its own edits), the chord name handed over on idle, and the host's tempo for
// a change of units.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChordMailbox.h"
#include "ParameterPageModel.h"

namespace {

uint32_t IndexOf(std::string_view symbol) {
    const auto ports = ControlPorts();
    for (uint32_t i = 0; i < ports.size(); ++i) {
        if (ports[i].symbol == symbol) return dpfparams::ParameterOf(i);
    }
    return UINT32_MAX;
}

struct Recorder final : ParameterGestures, IEditorPageLink {
    void Begin(uint32_t index) override { log.push_back("begin " + Symbol(index)); }
    void Perform(uint32_t index, float value) override {
        log.push_back(Symbol(index) + "=" + std::to_string(static_cast<int>(value)));
    }
    void End(uint32_t index) override { log.push_back("end " + Symbol(index)); }
    bool IsReadyForChordText() override { return true; }
    void PostChordNotification() override { log.push_back("chord"); }
    bool WindowExists() override { return true; }
    void RefreshAllControls() override { log.push_back("refresh"); }

    static std::string Symbol(uint32_t index) {
        return std::string(ControlPorts()[dpfparams::SettingOf(index)].symbol);
    }
    std::vector<std::string> log;
};

TEST(ParameterPageModel, EditsReachTheHostAsGestures) {
    Recorder host;
    ParameterPageModel model(host, nullptr);
    model.Connect(&host);
    // A drag: two steps of one parameter, then a range end that pushes its partner.
    model.BeginGesture();
    model.Edit([](ArpeggiatorParams& p) { p.legato = 52; });
    model.Edit([](ArpeggiatorParams& p) { p.legato = 54; });
    model.Edit([](ArpeggiatorParams& p) {
        p.arpBottom = 100;
        p.arpSpan = 12;
    });
    model.EndGesture();
    // A menu pick outside any drag, and the power button (the host's bypass, inverted).
    model.Edit([](ArpeggiatorParams& p) { p.pathDirection = 2; });
    model.Edit([](ArpeggiatorParams& p) { p.enabled = 0; });
    // Ends come in the parameters' order.
    // clang-format off
    const std::vector<std::string> expected{
        "begin legato", "legato=52", "legato=54",
        "begin arpBottom", "arpBottom=100", "begin arpSpan", "arpSpan=12",
        "end arpBottom", "end arpSpan", "end legato",
        "begin pathDirection", "pathDirection=2", "end pathDirection",
        "begin enabled", "enabled=1", "end enabled"};
    // clang-format on
    EXPECT_EQ(host.log, expected);
    EXPECT_EQ(model.Read().enabled, 0);
}

TEST(ParameterPageModel, HostChangesRefreshThePageButItsOwnEchoDoesNot) {
    Recorder host;
    ParameterPageModel model(host, nullptr);
    model.Connect(&host);
    model.Edit([](ArpeggiatorParams& p) { p.swing = 30; });
    host.log.clear();
    model.FromHost(IndexOf("swing"), 30.0f);
    EXPECT_TRUE(host.log.empty());
    model.FromHost(IndexOf("swing"), -20.0f);
    model.FromHost(IndexOf("enabled"), 1.0f);  // bypassed by the host
    model.FromHost(dpfparams::kChordRoot, 3.0f);
    EXPECT_EQ(host.log, (std::vector<std::string>{"refresh", "refresh"}));
    EXPECT_EQ(model.Read().swing, -20);
    EXPECT_EQ(model.Read().enabled, 0);
}

TEST(ParameterPageModel, ThePluginsChordNameOnIdleAndItsTempoForUnits) {
    Recorder host;
    ChordMailbox chords;
    std::atomic<double> tempo{120.0};
    const ParameterPageModel::PluginView plugin{chords, tempo};
    ParameterPageModel model(host, &plugin);
    model.Connect(&host);
    model.Idle();
    chords.Put("G 7 1st inversion");
    model.Idle();
    model.Idle();
    EXPECT_EQ(host.log, std::vector<std::string>{"chord"});
    EXPECT_EQ(model.ChordName(), L"G 7 1st inversion");
    // A name longer than the mailbox holds is cut, not overrun.
    chords.Put(std::string(200, 'x'));
    model.Idle();
    EXPECT_EQ(model.ChordName(), std::wstring(ChordMailbox::kCapacity - 1, L'x'));
    tempo = 150.0;
    EXPECT_EQ(model.TimeConverter()->MsToTicks(500), 1200);
    EXPECT_EQ(model.TimeConverter()->TicksToMs(960), 400);
    EXPECT_EQ(ParameterPageModel(host, nullptr).TimeConverter(), nullptr);
}

}  // namespace
