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

// Option texts match without regard to case or spaces; numbers are the stored values within the
// editor's ranges; a refusal says what would have been accepted.
TEST(SettingsFields, ReadsTextsAndNumbersAndRefusalsNameWhatFits) {
    struct Row {
        const char* text;
        int32_t value;           // when accepted
        const char* refusalHas;  // nullptr: accepted
    };
    const Row rows[] = {
        {"pathDirection=Up, Up", kPathUpUp, nullptr},
        {"pathDirection=down,down", kPathDownDown, nullptr},
        {"rateUnits=MIDI Ticks", kRateTicks, nullptr},
        {"rateUnits=milliseconds", kRateMilliseconds, nullptr},
        {"noteValue=1/16 T", 3, nullptr},
        {"noteValue=1/16T", 3, nullptr},
        {"noteValue=Whole", 10, nullptr},
        {"noteValue=4", 4, nullptr},
        {"swing=-100", -100, nullptr},
        {"keepInRange=off", 0, nullptr},
        {"leftHandWindowOn=1", 1, nullptr},
        {"swing=101", 0, "-100..100"},
        {"legato=9", 0, "10..99"},
        {"rateAmount=fast", 0, "1..500"},
        {"pathDirection=Sideways", 0, "\"Up, Down\""},
        {"tempo=120", 0, "leftHandBottom"},
        {"swing", 0, "FIELD=VALUE"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        if (row.refusalHas == nullptr) {
            EXPECT_EQ(Value(row.text), row.value);
        } else {
            EXPECT_NE(Refusal(row.text).find(row.refusalHas), std::string::npos);
        }
    }
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
