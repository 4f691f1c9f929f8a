// The option names in the module's string table are the names everything else uses: the
// engine's option names, the settings the tools read and arpeggiate --help lists.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>

#include "ModuleUnderTest.h"
#include "arpeggiate/SettingsFields.h"
#include "engine/OptionNames.h"
#include "resources/ResourceIds.h"

namespace {

std::string ModuleString(HMODULE module, UINT id) {
    wchar_t text[256] = {};
    const int length = LoadStringW(module, id, text, 256);
    // The option names are plain ASCII: one character each way.
    return std::string(text, text + (length > 0 ? length : 0));
}

}  // namespace

TEST(StringTable, OptionNamesAreTheSameInTheModuleTheEngineAndTheTools) {
    LoadedModule module;
    ASSERT_NE(module.Handle(), nullptr);
    const std::string help = DescribeSettings();
    struct Row {
        const char* field;
        UINT firstId;
        std::span<const std::string_view> engineNames;
    };
    const Row rows[] = {
        {"pathDirection", IDS_PATH_FIRST, optionnames::kPathDirections},
        {"rateUnits", IDS_RATE_UNIT_FIRST, optionnames::kRateUnits},
        {"noteValue", IDS_NOTE_VALUE_FIRST, optionnames::kNoteValues},
    };
    for (const Row& row : rows) {
        const SettingLimits* limits = FindSettingLimits(row.field);
        ASSERT_NE(limits, nullptr) << row.field;
        ASSERT_EQ(limits->texts.size(), row.engineNames.size()) << row.field;
        for (size_t i = 0; i < row.engineNames.size(); ++i) {
            const UINT id = row.firstId + static_cast<UINT>(i);
            SCOPED_TRACE(std::string(row.field) + " " + std::to_string(i) + ", string " +
                         std::to_string(id));
            const std::string text = ModuleString(module.Handle(), id);
            EXPECT_EQ(text, row.engineNames[i]);
            EXPECT_EQ(text, limits->texts[i]);
            EXPECT_NE(help.find("\"" + text + "\""), std::string::npos) << "arpeggiate --help";
        }
    }
    EXPECT_EQ(ModuleString(module.Handle(), IDS_NOTE_VALUE_FIRST + 11), "") << "past the table";
}
