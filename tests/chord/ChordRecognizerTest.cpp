#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "chord/ChordRecognizer.h"

namespace {

std::wstring Text(const CChordRecognizer& r) {
    const ChordText t = r.GetChordText();
    return std::wstring(t.text, t.length);
}

bool Recognize(CChordRecognizer& r, const std::vector<int32_t>& notes) {
    return r.Recognize(notes.data(), static_cast<int32_t>(notes.size()));
}

// Every row runs on a recogniser that already holds G 7 1st inversion, so a refused input must
// leave exactly that, and an accepted one must not inherit any of it.
const std::vector<int32_t> kPrimingNotes = {59, 62, 65, 67};

struct EdgeCase {
    const char* name;
    std::vector<int32_t> notes;
    bool recognized;
    const wchar_t* text;
    int32_t row;
    uint32_t chordMask;
};

const EdgeCase kEdgeCases[] = {
    {"lone note plays as a triad", {60}, true, L"C Maj Root", 0, 145},
    {"octaves collapse", {48, 72}, true, L"C Maj Root", 0, 145},
    {"first of two equal rows wins", {60, 64, 67}, true, L"C Maj Root", 2, 145},
    {"E G C matches before rotating", {64, 67, 72}, true, L"E Min+5 Root", 9, 265},
    {"G C E", {67, 72, 76}, true, L"E Min+5 1st inversion", 9, 265},
    {"bare fourth", {67, 72}, true, L"C Maj 1st inversion", 4, 145},
    {"G7 second", {62, 65, 67, 71}, true, L"G 7 2nd inversion", 21, 1169},
    {"G7 third", {65, 67, 71, 74}, true, L"G 7 3rd inversion", 21, 1169},
    {"whole tone", {60, 62}, true, L"D 7 1st inversion", 22, 1025},
    {"minor third", {57, 60}, true, L"A Min Root", 5, 137},
    {"major sixth", {60, 69}, true, L"A Min 1st inversion", 5, 137},
    {"diminished triad", {60, 63, 66}, true, L"C \u00B0 Root", 15, 73},
    {"unsorted", {72, 60, 67, 64}, true, L"C Maj Root", 2, 145},
    // C D E F G fails four searches (G, F, E as roots) and matches with D as the root.
    {"fifth search matches", {60, 62, 64, 65, 67}, true, L"D Min9sus4 4th inversion", 55, 1069},
    // Clusters match no row within five searches and fall back to Maj on the bass, a sharp one
    // or not.
    {"cluster C", {60, 61, 62}, true, L"C Maj Root", 0, 145},
    {"cluster C#", {61, 62, 63}, true, L"C# Maj Root", 0, 145},
    {"cluster B", {71, 72, 73}, true, L"B Maj Root", 0, 145},
    {"all twelve", {60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71}, true, L"C Maj Root", 0, 145},
    // Refusals keep the primed result.
    {"empty list", {}, false, L"G 7 1st inversion", 21, 1169},
    {"no key in range", {-1, 128, INT_MIN, INT_MAX}, false, L"G 7 1st inversion", 21, 1169},
    // Out-of-range numbers are skipped, never folded into the chord.
    {"out of range skipped", {INT_MIN, 64, INT_MAX, 67, -5, 71, 999}, true, L"E Min Root", 7, 137},
};

TEST(ChordRecognizer, EdgeCases) {
    for (const EdgeCase& c : kEdgeCases) {
        SCOPED_TRACE(c.name);
        CChordRecognizer r;
        ASSERT_TRUE(Recognize(r, kPrimingNotes));
        EXPECT_EQ(Recognize(r, c.notes), c.recognized);
        EXPECT_EQ(Text(r), c.text);
        EXPECT_EQ(r.GetChordIndex(), c.row);
        EXPECT_EQ(r.GetChordMask(), c.chordMask);
    }
}

TEST(ChordRecognizer, RefusedCountOrPointerChangesNothing) {
    CChordRecognizer r;
    ASSERT_TRUE(Recognize(r, kPrimingNotes));
    const int32_t notes[] = {60, 64, 67};
    EXPECT_FALSE(r.Recognize(notes, 0));
    EXPECT_FALSE(r.Recognize(notes, -3));
    EXPECT_FALSE(r.Recognize(nullptr, 3));
    EXPECT_EQ(Text(r), L"G 7 1st inversion");
    EXPECT_EQ(r.GetRoot(), 7);
    EXPECT_EQ(r.GetInversion(), 1);
    EXPECT_EQ(r.GetBassPitchClass(), 11);
    EXPECT_EQ(r.GetNoteMask(), 1u | 8 | 64 | 256);  // B D F G: 0 3 6 8 above the bass
}

TEST(ChordRecognizer, ReadBeforeAnyRecognitionYieldsCMajRoot) {
    const CChordRecognizer r;
    EXPECT_EQ(r.GetRoot(), 0);
    EXPECT_EQ(r.GetChordIndex(), 0);
    EXPECT_EQ(r.GetInversion(), 0);
    EXPECT_EQ(r.GetChordMask(), 145u);
    EXPECT_EQ(Text(r), L"C Maj Root");
}

// The degree sign is C2 B0 in UTF-8; a buffer one byte short gets nothing partial, only the
// terminator, and a missing one nothing at all.
TEST(ChordText, ToUtf8WritesTheDegreeSignAsTwoBytesAndNothingPartial) {
    const struct {
        std::vector<int32_t> notes;
        std::string utf8;
    } cases[] = {
        // clang-format off
        {{60, 63, 66, 69}, "C \xC2\xB0" "7 Root"},
        {{66, 69, 72}, "F# \xC2\xB0 Root"},
        // clang-format on
    };
    for (const auto& c : cases) {
        CChordRecognizer r;
        ASSERT_TRUE(Recognize(r, c.notes));
        const ChordText text = r.GetChordText();
        char buffer[ChordText::kUtf8Capacity + 1];
        std::memset(buffer, 0x55, sizeof buffer);
        EXPECT_EQ(text.ToUtf8(buffer, c.utf8.size() + 1), c.utf8.size());
        EXPECT_EQ(buffer, c.utf8);
        EXPECT_EQ(buffer[c.utf8.size() + 1], 0x55);
        std::memset(buffer, 0x55, sizeof buffer);
        EXPECT_EQ(text.ToUtf8(buffer, c.utf8.size()), 0u);
        EXPECT_EQ(buffer[0], '\0');
        EXPECT_EQ(buffer[1], 0x55);
        EXPECT_EQ(text.ToUtf8(nullptr, 16), 0u);
    }
}

// Shapes as semitones above the bass, with the result worked out by hand from the rotation rule.
// Results are relative to the bass, so each shape is checked on all twelve bass notes.
struct ShapeCase {
    const char* name;
    std::vector<int32_t> offsets;
    int32_t rootAboveBass;
    int32_t row;
    int32_t inversion;
    uint32_t chordMask;
};

const ShapeCase kShapeCases[] = {
    {"major", {0, 4, 7}, 0, 2, 0, 145},
    {"major 1st inv: E G C is E Min+5", {0, 3, 8}, 0, 9, 0, 265},
    {"major 2nd inv: G C E is E Min+5", {0, 5, 9}, 9, 9, 1, 265},
    {"minor", {0, 3, 7}, 0, 7, 0, 137},
    {"minor 1st inv", {0, 4, 9}, 9, 7, 1, 137},
    {"minor 2nd inv", {0, 5, 8}, 5, 7, 2, 137},
    {"dominant 7th", {0, 4, 7, 10}, 0, 21, 0, 1169},
    {"dominant 7th 1st inv", {0, 3, 6, 8}, 8, 21, 1, 1169},
    {"dominant 7th 2nd inv", {0, 3, 5, 9}, 5, 21, 2, 1169},
    {"dominant 7th 3rd inv", {0, 2, 6, 9}, 2, 21, 3, 1169},
    {"major 7th", {0, 4, 7, 11}, 0, 16, 0, 2193},
    {"major 7th 1st inv", {0, 3, 7, 8}, 8, 16, 1, 2193},
    {"major 7th 2nd inv", {0, 4, 5, 9}, 5, 16, 2, 2193},
    {"major 7th 3rd inv", {0, 1, 5, 8}, 1, 16, 3, 2193},
    {"minor 7th", {0, 3, 7, 10}, 0, 32, 0, 1161},
    {"minor 7th 1st inv: Eb G Bb C is Eb 6", {0, 4, 7, 9}, 0, 10, 0, 657},
    {"minor 7th 2nd inv: Eb 6 1st", {0, 3, 5, 8}, 8, 10, 1, 657},
    {"minor 7th 3rd inv: Eb 6 2nd", {0, 2, 5, 9}, 5, 10, 2, 657},
    {"diminished 7th", {0, 3, 6, 9}, 0, 14, 0, 585},
    {"diminished 7th spread: symmetric, root stays on the bass", {0, 9, 15, 18}, 0, 14, 0, 585},
    {"augmented", {0, 4, 8}, 0, 8, 0, 273},
    {"augmented spread: symmetric, root stays on the bass", {0, 8, 16}, 0, 8, 0, 273},
    {"sus4", {0, 5, 7}, 0, 69, 0, 161},
    {"sus4 1st inv: F G C is F sus2", {0, 2, 7}, 0, 70, 0, 133},
    {"sus4 2nd inv: G C F is G 7sus4", {0, 5, 10}, 0, 26, 0, 1057},
};

TEST(ChordRecognizer, CommonShapesInAllTwelveKeys) {
    for (const ShapeCase& c : kShapeCases) {
        for (int32_t bass = 48; bass < 60; ++bass) {
            SCOPED_TRACE(std::string(c.name) + ", bass " + std::to_string(bass));
            std::vector<int32_t> notes;
            for (int32_t offset : c.offsets) notes.push_back(bass + offset);
            CChordRecognizer r;
            ASSERT_TRUE(Recognize(r, notes));
            EXPECT_EQ(r.GetRoot(), (bass + c.rootAboveBass) % 12);
            EXPECT_EQ(r.GetChordIndex(), c.row);
            EXPECT_EQ(r.GetInversion(), c.inversion);
            EXPECT_EQ(r.GetChordMask(), c.chordMask);
        }
    }
}

// Every one of the 2048 pitch-class sets over a bass: the result stays inside the table's ranges,
// never lands on a row shadowed by an earlier equal mask, and its text fits the fixed buffer.
TEST(ChordRecognizer, EveryPitchClassSetGivesAReachableRow) {
    const int32_t shadowed[] = {3, 6, 43, 52, 57, 58, 59, 60, 61, 63, 73};
    for (uint32_t set = 1; set < 4096; set += 2) {
        std::vector<int32_t> notes;
        for (int32_t k = 0; k < 12; ++k) {
            if (set & (1u << k)) notes.push_back(40 + k);
        }
        CChordRecognizer r;
        ASSERT_TRUE(Recognize(r, notes));
        EXPECT_EQ(r.GetNoteMask(), set);
        EXPECT_GE(r.GetInversion(), 0);
        EXPECT_LE(r.GetInversion(), 4);
        EXPECT_EQ(r.GetChordMask() & 1u, 1u);
        for (int32_t row : shadowed) EXPECT_NE(r.GetChordIndex(), row) << "set " << set;
        EXPECT_LT(r.GetChordText().length, ChordText::kCapacity);
    }
}

}  // namespace
