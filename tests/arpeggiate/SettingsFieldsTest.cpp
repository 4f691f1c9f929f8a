// Settings as a musician types them on the command line.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "arpeggiate/SettingsFields.h"

namespace {

int32_t Value(const char* text) { return ParseSetting(text).value; }

std::string Refusal(const char* text) {
    try {
        ParseSetting(text);
    } catch (const std::invalid_argument& error) {
        return error.what();
    }
    return "accepted";
}

}  // namespace

TEST(SettingsFields, OptionTextsMatchWithoutRegardToCaseOrSpaces) {
    EXPECT_EQ(Value("pathDirection=Up, Up"), kPathUpUp);
    EXPECT_EQ(Value("pathDirection=down,down"), kPathDownDown);
    EXPECT_EQ(Value("rateUnits=MIDI Ticks"), kRateTicks);
    EXPECT_EQ(Value("rateUnits=milliseconds"), kRateMilliseconds);
    EXPECT_EQ(Value("noteValue=1/16 T"), 3);
    EXPECT_EQ(Value("noteValue=1/16T"), 3);
    EXPECT_EQ(Value("noteValue=Whole"), 10);
}

TEST(SettingsFields, NumbersAreTheStoredValuesWithinTheEditorsRanges) {
    EXPECT_EQ(Value("noteValue=4"), 4);
    EXPECT_EQ(Value("swing=-100"), -100);
    EXPECT_EQ(Value("keepInRange=off"), 0);
    EXPECT_EQ(Value("leftHandWindowOn=1"), 1);
    EXPECT_NE(Refusal("swing=101").find("-100..100"), std::string::npos);
    EXPECT_NE(Refusal("legato=9").find("10..99"), std::string::npos);
    EXPECT_NE(Refusal("rateAmount=fast").find("1..500"), std::string::npos);
}

TEST(SettingsFields, RefusalsSayWhatWouldHaveBeenAccepted) {
    EXPECT_NE(Refusal("pathDirection=Sideways").find("\"Up, Down\""), std::string::npos);
    EXPECT_NE(Refusal("tempo=120").find("leftHandBottom"), std::string::npos);
    EXPECT_NE(Refusal("swing").find("FIELD=VALUE"), std::string::npos);
}

TEST(SettingsFields, ARangeTopAbove127IsRefusedOnlyWhenTheCommandLineChangedIt) {
    ArpeggiatorParams params = DefaultArpeggiatorParams();
    params.arpBottom = 100;  // as a stored file may hold it: 100 + 60 reaches past 127
    EXPECT_EQ(CheckRangeTops(params, std::vector<SettingAssignment>{}), "");
    const std::vector<SettingAssignment> changed = {ParseSetting("arpSpan=30")};
    EXPECT_NE(CheckRangeTops(params, changed), "");
}

TEST(SettingsFields, HelpNamesEveryFieldWithItsDefault) {
    const std::string help = DescribeSettings();
    for (const ParamField& field : ParamFields()) {
        EXPECT_NE(help.find(std::string(field.name)), std::string::npos) << field.name;
    }
    EXPECT_NE(help.find("default \"Milliseconds\""), std::string::npos);
    EXPECT_NE(help.find("\"1/32 T\""), std::string::npos);
}
