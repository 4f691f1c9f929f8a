// The rows' masks, the first rows' known masks and the table's shape are checked at compile time
// (ChordDictionary.h), their labels by the recogniser's texts; this is the reading of a row.
#include <gtest/gtest.h>

#include "chord/ChordDictionary.h"

TEST(ChordDictionary, OnlyAnXMarksASlot) {
    EXPECT_EQ(ChordPattern::MaskFromText("X  x  O  X  *  X  -  -  -  -  -  X"), 1u + 8 + 32 + 2048);
    EXPECT_FALSE(ChordPattern::IsWellFormedText("X  x  -  -  -  -  -  -  -  -  -  -"));
    EXPECT_FALSE(ChordPattern::IsWellFormedText("-  -  -  -  X  -  -  -  -  -  -  -"));
    EXPECT_FALSE(ChordPattern::IsWellFormedText("X  -  -  -  X  -  -  -  -  -  -"));
}
