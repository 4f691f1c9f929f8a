// The bundle's data against the rest of the system: the ports are the settings arpeggiate
// takes, with the same ranges and option texts; the presets are their recipes; the time
// converter is the test host's at a constant tempo and stays continuous when the tempo changes.
#include <gtest/gtest.h>

#include <string>

#include "HostServices.h"
#include "Ports.h"
#include "Presets.h"
#include "arpeggiate/SettingsFields.h"
#include "host/HostObjects.h"
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

TEST(BundleTables, PresetsFollowTheirRecipes) {
    struct Row {
        std::string_view label;
        ArpeggiatorParams expected;
    };
    ArpeggiatorParams rising = DefaultArpeggiatorParams();
    rising.pathDirection = kPathUpUp;
    rising.rateUnits = kRateNotes;
    rising.noteValue = 2;
    rising.swing = 0;
    ArpeggiatorParams leftHand = DefaultArpeggiatorParams();
    leftHand.leftHandWindowOn = 1;
    ArpeggiatorParams ambient = DefaultArpeggiatorParams();
    ambient.rateUnits = kRateMilliseconds;
    ambient.rateAmount = 400;
    ambient.legato = 90;
    ambient.pathDirection = kPathUpDown;
    ambient.swing = 0;
    const Row rows[] = {{"Rising sixteenths", rising},
                        {"Chords from the left hand", leftHand},
                        {"Slow ambient", ambient}};
    const auto presets = Presets();
    ASSERT_EQ(presets.size(), std::size(rows));
    for (size_t i = 0; i < presets.size(); ++i) {
        SCOPED_TRACE(rows[i].label);
        EXPECT_EQ(presets[i].label, rows[i].label);
        for (const ControlPort& port : ControlPorts()) {
            EXPECT_EQ(port.In(presets[i].params), port.In(rows[i].expected)) << port.symbol;
            EXPECT_GE(port.In(presets[i].params), port.min) << port.symbol;
            EXPECT_LE(port.In(presets[i].params), port.max) << port.symbol;
        }
    }
}

TEST(SampleClockConverter, EqualsTheConstantTempoConverterUntilTheTempoChanges) {
    SampleClockConverter converter;
    ConstantTempoConverter reference(SampleClockConverter::kTicksPerQuarter, 500000);
    for (int32_t ms = 0; ms < 200000; ms += 7) {
        ASSERT_EQ(converter.MsToTicks(ms), reference.MsToTicks(ms)) << ms;
        const int32_t ticks = ms * 2 + 1;
        ASSERT_EQ(converter.TicksToMs(ticks), reference.TicksToMs(ticks)) << ticks;
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
