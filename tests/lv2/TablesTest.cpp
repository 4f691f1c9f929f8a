// The bundle's data against the rest of the system: the ports are the settings arpeggiate
// takes, with the same ranges and option texts; the presets stay in range; the time converter
// stays continuous when the tempo changes (at a constant tempo, ArphostEquivalenceTest holds it
// to arphost's).
#include <gtest/gtest.h>

#include <string>

#include "HostServices.h"
#include "Ports.h"
#include "Presets.h"
#include "arpeggiate/SettingsFields.h"
#include "host/ParamFields.h"
#include "ttl/TtlText.h"

TEST(BundleTables, PortsAreTheSettingsArpeggiateTakes) {
    const auto ports = ControlPorts();
    const auto fields = ParamFields();
    ASSERT_EQ(ports.size(), fields.size());
    for (size_t i = 0; i < ports.size(); ++i) {
        SCOPED_TRACE(ports[i].symbol);
        EXPECT_EQ(ports[i].symbol, fields[i].name);
        EXPECT_EQ(ports[i].member, fields[i].member);
        const SettingLimits* limits = FindSettingLimits(ports[i].symbol);
        ASSERT_NE(limits, nullptr);
        EXPECT_EQ(ports[i].min, limits->min);
        EXPECT_EQ(ports[i].max, limits->max);
        EXPECT_EQ(ports[i].kind == ControlKind::Toggle, limits->isSwitch);
        ASSERT_EQ(ports[i].options.size(), limits->texts.size());
        for (size_t k = 0; k < limits->texts.size(); ++k) {
            EXPECT_EQ(ports[i].options[k], limits->texts[k]);
        }
    }
    EXPECT_EQ(ports.back().symbol, "enabled");
}

TEST(BundleTables, EveryOptionTextIsAScalePoint) {
    const std::string ttl = PluginTtl();
    for (const ControlPort& port : ControlPorts()) {
        for (size_t k = 0; k < port.options.size(); ++k) {
            SCOPED_TRACE(port.options[k]);
            const std::string point = "[ rdfs:label \"" + std::string(port.options[k]) +
                                      "\" ; rdf:value " + std::to_string(k) + " ]";
            EXPECT_NE(ttl.find(point), std::string::npos);
        }
    }
    EXPECT_NE(ttl.find("lv2:designation lv2:enabled"), std::string::npos);
}

// What each preset sets is jalv's to hear (the slow one's 400 ms steps) and the validator's to
// read; here, that no preset stores a value its port would not give.
TEST(BundleTables, PresetsStayInTheirPortsRanges) {
    for (const auto& preset : Presets()) {
        for (const ControlPort& port : ControlPorts()) {
            EXPECT_GE(port.In(preset.params), port.min) << preset.label << ": " << port.symbol;
            EXPECT_LE(port.In(preset.params), port.max) << preset.label << ": " << port.symbol;
        }
    }
}

TEST(SampleClockConverter, TempoChangeKeepsTheMappingContinuousAndMonotonic) {
    SampleClockConverter converter;
    const int32_t before = converter.MsToTicks(5000);
    converter.ChangeTempo(5000, 400000);  // 150 BPM
    EXPECT_EQ(converter.MsToTicks(5000), before);
    EXPECT_EQ(converter.MsToTicks(5100) - converter.MsToTicks(5000), 240);  // a 1/16 in 100 ms
    // The look-ahead, converted as a position from 0, is its length at the new tempo.
    EXPECT_EQ(converter.MsToTicks(30), 72);
    int32_t last = converter.MsToTicks(-100000);
    for (int32_t ms = -99999; ms < 100000; ms += 13) {
        const int32_t ticks = converter.MsToTicks(ms);
        ASSERT_GE(ticks, last) << ms;
        ASSERT_LE(converter.TicksToMs(ticks), ms) << ms;
        last = ticks;
    }
}
