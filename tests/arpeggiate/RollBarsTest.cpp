// The bars a piano roll draws: --bars as typed, and the stretch of the song it comes to.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "arpeggiate/RollBars.h"

namespace {

constexpr int64_t kBar = 1920;  // 4/4 at 480 ticks per quarter

midi::File FourFour() {
    midi::File file;
    file.ticksPerQuarter = 480;
    file.tracks.resize(1);
    return file;
}

}  // namespace

TEST(RollBars, ReadsFromToAndFromOnwardAndRefusesTheRest) {
    struct Row {
        const char* text;
        bool valid;
        int64_t first;
        std::optional<int64_t> last;
    };
    const Row rows[] = {
        {"12-28", true, 12, 28},
        {"12-", true, 12, std::nullopt},
        {"5-5", true, 5, 5},
        {"5-3", false, 0, {}},
        {"0-4", false, 0, {}},
        {"-4", false, 0, {}},
        {"12", false, 0, {}},
        {"a-b", false, 0, {}},
        {"1-2-3", false, 0, {}},
        {"", false, 0, {}},
        {"99999999999999999999-", false, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        if (!row.valid) {
            EXPECT_THROW(ParseBarChoice(row.text), std::invalid_argument);
            continue;
        }
        const BarChoice choice = ParseBarChoice(row.text);
        EXPECT_EQ(choice.first, row.first);
        EXPECT_EQ(choice.last, row.last);
    }
}

TEST(RollBars, ChoosesWholeBarsOfTheSong) {
    struct Row {
        const char* name;
        uint32_t endTick;
        const char* bars;  // nullptr: no --bars
        int64_t first, last, songBars;
        uint32_t fromTick, toTick;
        bool cut;
    };
    // clang-format off
    const Row rows[] = {
        {"a short song whole", 16 * kBar - 20, nullptr, 1, 16, 16, 0, 16 * kBar - 20, false},
        {"a long song from its start", 900 * kBar, nullptr, 1, 64, 900, 0, 64 * kBar, true},
        {"a stretch inside", 900 * kBar, "433-448", 433, 448, 900, 432 * kBar, 448 * kBar, false},
        {"onward to the end", 900 * kBar - 5, "890-", 890, 900, 900, 889 * kBar, 900 * kBar - 5, false},
        {"past the end is cut at the end", 10 * kBar, "8-20", 8, 10, 10, 7 * kBar, 10 * kBar, false},
        {"an empty song has one bar", 0, nullptr, 1, 1, 1, 0, 0, false},
    };
    // clang-format on
    const midi::File file = FourFour();
    const BarGrid grid(file);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::optional<BarChoice> choice;
        if (row.bars != nullptr) choice = ParseBarChoice(row.bars);
        const BarStretch stretch = ChooseBars(choice, grid, row.endTick, "song.mid");
        EXPECT_EQ(stretch.first, row.first);
        EXPECT_EQ(stretch.last, row.last);
        EXPECT_EQ(stretch.songBars, row.songBars);
        EXPECT_EQ(stretch.fromTick, row.fromTick);
        EXPECT_EQ(stretch.toTick, row.toTick);
        EXPECT_EQ(stretch.cutByDefault, row.cut);
    }
}

TEST(RollBars, AFirstBarBeyondTheSongIsRefusedNamingTheSong) {
    const midi::File file = FourFour();
    const BarGrid grid(file);
    try {
        ChooseBars(ParseBarChoice("17-"), grid, 16 * kBar, "song.mid");
        FAIL() << "no error";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "--bars 17-: song.mid has bars 1 to 16");
    }
}
