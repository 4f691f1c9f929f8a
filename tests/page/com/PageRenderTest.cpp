// pagehost's renderer with the registered module: the page of a filter made through COM,
// painted into a PNG file without a window on the screen, matches the page's golden picture
// (the in-process paint tests compare both);
// a chord asked for is played into the left-hand window and shown; requests that cannot be
// met fail with a message and write nothing. And the keys the renderer plays for a chord.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "chord/ChordRecognizer.h"
#include "pagehost/ChordKeys.h"
#include "pagehost/PageHost.h"
#include "pagehost/PngFile.h"
#include "support/ComPageSupport.h"
#include "support/GoldenImage.h"

namespace {

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun RunTool(std::vector<const char*> args) {
    args.insert(args.begin(), "pagehost");
    auto parsed = ParsePageHostOptions(static_cast<int>(args.size()), args.data());
    if (const int* code = std::get_if<int>(&parsed)) return {*code, "", ""};
    std::ostringstream out, err;
    const int code = RunPageHost(std::get<PageHostOptions>(parsed), out, err);
    return {code, out.str(), err.str()};
}

std::string Picture(const char* name) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove(path);
    return path.string();
}

}  // namespace

TEST(PageRender, AChordPlayedIntoTheLeftHandWindowRendersAsItsGoldenPicture) {
    const std::string png = Picture("arp-render-chord.png");
    const ToolRun run = RunTool(
        {"--render", png.c_str(), "--set", "leftHandWindowOn=1", "--chord", "G 7 1st inversion"});
    ASSERT_EQ(run.code, 0) << run.err;
    ExpectMatchesGolden(ReadPng(png), "left-hand-chord");
}

TEST(PageRender, AChordThatCannotBeShownIsRefusedAndNothingIsWritten) {
    struct Row {
        const char* name;
        std::vector<const char*> args;
        const char* message;
    };
    const std::string png = Picture("arp-render-refused.png");
    // clang-format off
    const Row rows[] = {
        {"the left-hand window off", {"--chord", "G 7 1st inversion"}, "left-hand window on"},
        {"no such chord", {"--set", "leftHandWindowOn=1", "--chord", "H 7 Root"}, "no chord named"},
        {"a window too narrow for it", {"--set", "leftHandWindowOn=1", "--set", "leftHandSpan=3", "--chord", "G 7 1st inversion"}, "no chord named"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<const char*> args = {"--render", png.c_str()};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(png));
    }
    EXPECT_EQ(RunTool({"--chord", "C Maj Root"}).code, 2) << "--chord needs --render";
}

TEST(ChordKeys, TheKeysFoundForAChordAreNamedSoAndLieInTheWindow) {
    struct Row {
        const char* name;
        const wchar_t* chord;
        int32_t bottom;
        int32_t span;
    };
    const Row rows[] = {
        {"G 7 1st inversion", L"G 7 1st inversion", 24, 24},
        {"C Maj Root", L"C Maj Root", 24, 24},
        {"F Maj7 Root", L"F Maj7 Root", 24, 24},
        {"D Min7 Root, higher window", L"D Min7 Root", 40, 30},
        {"B diminished 7th, degree sign, window from key 0",
         L"B \xB0"
         L"7 Root",
         0, 24},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<int32_t> keys = KeysForChord(row.chord, row.bottom, row.span);
        CChordRecognizer recognizer;
        ASSERT_TRUE(recognizer.Recognize(keys.data(), static_cast<int32_t>(keys.size())));
        const ChordText named = recognizer.GetChordText();
        EXPECT_EQ(std::wstring(named.text, named.length), row.chord);
        for (int32_t key : keys) {
            EXPECT_GE(key, row.bottom);
            EXPECT_LT(key, row.bottom + row.span);
        }
    }
}
