#include <gtest/gtest.h>

#include "chord/ChordDictionary.h"

namespace {

struct RowCase {
    int32_t row;
    const char* patternText;
    uint32_t mask;
    const char* label;
};

// Rows the table is known by; the masks were worked out from the interval lists by hand.
const RowCase kRowCases[] = {
    {0, "X  -  -  -  -  -  -  -  -  -  -  -", 1, "Maj"},
    {2, "X  -  -  -  X  -  -  X  -  -  -  -", 145, "Maj"},
    {3, "X  -  -  -  X  -  -  X  -  -  -  -", 145, "Maj"},  // duplicate of row 2, kept in place
    {7, "X  -  -  X  -  -  -  X  -  -  -  -", 137, "Min"},
    {14, "X  -  -  X  -  -  X  -  -  X  -  -", 585,
     "\xB0"
     "7"},
    {15, "X  -  -  X  -  -  X  -  -  -  -  -", 73, "\xB0"},
    {17, "X  -  X  -  X  -  -  -  -  X  -  X", 2581, "Maj7/6/9"},
    {68, "X  X  -  -  X  -  X  -  -  X  X  -", 1619, "13b5b9"},  // six intervals: 0 1 4 6 9 10
    {73, "X  -  X  -  X  -  -  X  -  -  -  -", 149, "(add 9)"},
};

TEST(ChordDictionary, KnownRowsHaveTheirTextMaskAndLabel) {
    for (const RowCase& c : kRowCases) {
        SCOPED_TRACE(c.row);
        const ChordPattern& row = ChordDictionary::patterns[c.row];
        EXPECT_STREQ(row.patternText, c.patternText);
        EXPECT_EQ(row.intervalMask, c.mask);
        EXPECT_STREQ(row.label, c.label);
    }
}

// Bit 0 and the 12-bit limit of every mask are checked at compile time; this is the ordering.
TEST(ChordDictionary, Row17HasTheLargestMask) {
    int32_t largest = 0;
    for (int32_t i = 1; i < ChordDictionary::kRowCount; ++i) {
        if (ChordDictionary::patterns[i].intervalMask >
            ChordDictionary::patterns[largest].intervalMask) {
            largest = i;
        }
    }
    EXPECT_EQ(largest, 17);
}

TEST(ChordDictionary, OnlyAnXMarksASlot) {
    EXPECT_EQ(ChordPattern::MaskFromText("X  x  O  X  *  X  -  -  -  -  -  X"), 1u + 8 + 32 + 2048);
    EXPECT_FALSE(ChordPattern::IsWellFormedText("X  x  -  -  -  -  -  -  -  -  -  -"));
    EXPECT_FALSE(ChordPattern::IsWellFormedText("-  -  -  -  X  -  -  -  -  -  -  -"));
    EXPECT_FALSE(ChordPattern::IsWellFormedText("X  -  -  -  X  -  -  -  -  -  -"));
}

}  // namespace
