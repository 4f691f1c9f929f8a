#pragma once

// The fixed vocabulary the chord recogniser can name: 74 chord shapes over twelve semitones, the
// twelve root names and the eight inversion names. Everything here is a compile-time constant that
// every recogniser reads in place; nothing is copied per instance or allocated.

#include <cstddef>
#include <cstdint>
#include <string>

// One row of the dictionary: the intervals above a root as twelve slots, and the display name.
struct ChordPattern {
    static constexpr int32_t kSlotCount = 12;
    // Slot k sits at position 3k; every slot but the last is followed by two blanks.
    static constexpr size_t kTextLength = 34;

    const char* patternText;
    uint32_t intervalMask;  // derived from patternText, never written by hand
    const char* label;      // Windows-1252 bytes; "\xB0" is the degree sign

    constexpr ChordPattern(const char* text, const char* name)
        : patternText(text), intervalMask(MaskFromText(text)), label(name) {}

    // Slot k weighs 2^k, the weight the recogniser gives a note k semitones above the bass, so a
    // chord played in root position and its row produce equal numbers. Only "X" counts; any other
    // character is an empty slot.
    static constexpr uint32_t MaskFromText(const char* text) {
        uint32_t mask = 0;
        for (int32_t k = 0; k < kSlotCount; ++k) {
            if (text[3 * k] == 'X') mask += uint32_t{1} << k;
        }
        return mask;
    }

    // The shape the table is written in: exact length, blanks between slots, "X" or "-" in each
    // slot and "X" at the root. Checked for every row at compile time.
    static constexpr bool IsWellFormedText(const char* text) {
        if (std::char_traits<char>::length(text) != kTextLength) return false;
        for (size_t i = 0; i < kTextLength; ++i) {
            const bool isSlot = i % 3 == 0;
            if (isSlot && text[i] != 'X' && text[i] != '-') return false;
            if (!isSlot && text[i] != ' ') return false;
        }
        return text[0] == 'X';
    }
};

struct ChordDictionary {
    static constexpr int32_t kRowCount = 74;
    static constexpr int32_t kRootCount = 12;
    static constexpr int32_t kInversionCount = 8;

    // Entry k is 2^k: the weight of a pitch class k semitones above the root or bass.
    static constexpr int32_t intervalWeights[ChordPattern::kSlotCount] = {
        1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048};

    // Indexed by pitch class, 0 = C. Sharps only.
    static constexpr const wchar_t* rootNames[kRootCount] = {
        L"C", L"C#", L"D", L"D#", L"E", L"F", L"F#", L"G", L"G#", L"A", L"A#", L"B"};

    // The recogniser never reaches an inversion above 4; the last three names are never shown.
    static constexpr const wchar_t* inversionNames[kInversionCount] = {
        L"Root",          L"1st inversion", L"2nd inversion", L"3rd inversion",
        L"4th inversion", L"5th inversion", L"6th inversion", L"7th inversion"};

    // The row index is the chord's identity everywhere else, so rows never move. Several rows
    // repeat the mask of an earlier row (3, 6, 43, 52, 57, 58, 59, 60, 61, 63, 73); a first-match
    // search never returns them, but they keep their places.
    // Row 14 is written "\xB0" "7" because "\xB07" would read as one escape.
    // clang-format off
    static constexpr ChordPattern patterns[kRowCount] = {
        {"X  -  -  -  -  -  -  -  -  -  -  -", "Maj"},          // 0
        {"X  -  -  -  X  -  -  -  -  -  -  -", "Maj"},          // 1
        {"X  -  -  -  X  -  -  X  -  -  -  -", "Maj"},          // 2
        {"X  -  -  -  X  -  -  X  -  -  -  -", "Maj"},          // 3
        {"X  -  -  -  -  -  -  X  -  -  -  -", "Maj"},          // 4
        {"X  -  -  X  -  -  -  -  -  -  -  -", "Min"},          // 5
        {"X  -  -  X  -  -  -  -  -  -  -  -", "Min"},          // 6
        {"X  -  -  X  -  -  -  X  -  -  -  -", "Min"},          // 7
        {"X  -  -  -  X  -  -  -  X  -  -  -", "+"},            // 8
        {"X  -  -  X  -  -  -  -  X  -  -  -", "Min+5"},        // 9
        {"X  -  -  -  X  -  -  X  -  X  -  -", "6"},            // 10
        {"X  -  X  -  X  -  X  -  -  X  -  -", "6/9/#11"},      // 11
        {"X  -  -  -  X  -  X  -  -  X  -  -", "6(#11)"},       // 12
        {"X  -  -  X  -  -  -  X  -  X  -  -", "Min6"},         // 13
        {"X  -  -  X  -  -  X  -  -  X  -  -", "\xB0" "7"},     // 14
        {"X  -  -  X  -  -  X  -  -  -  -  -", "\xB0"},         // 15
        {"X  -  -  -  X  -  -  X  -  -  -  X", "Maj7"},         // 16
        {"X  -  X  -  X  -  -  -  -  X  -  X", "Maj7/6/9"},     // 17
        {"X  -  X  -  X  -  -  -  -  -  -  X", "Maj7/9"},       // 18
        {"X  -  X  -  X  -  X  -  -  -  -  X", "Maj7/9/#11"},   // 19
        {"X  -  -  -  X  -  X  -  -  -  -  X", "Maj7(#11)"},    // 20
        {"X  -  -  -  X  -  -  X  -  -  X  -", "7"},            // 21
        {"X  -  -  -  -  -  -  -  -  -  X  -", "7"},            // 22
        {"X  -  -  -  -  -  -  X  -  -  X  -", "7"},            // 23
        {"X  -  -  -  X  -  -  -  X  -  X  -", "7+"},           // 24
        {"X  -  -  -  -  X  -  X  -  -  X  -", "7sus4"},        // 25
        {"X  -  -  -  -  X  -  -  -  -  X  -", "7sus4"},        // 26
        {"X  -  -  -  X  -  X  -  -  -  X  -", "7b5"},          // 27
        {"X  X  -  -  X  -  -  X  -  -  X  -", "7b9"},          // 28
        {"X  X  -  -  X  -  -  -  -  -  X  -", "7b9"},          // 29
        {"X  -  -  X  X  -  -  X  -  -  X  -", "7#9"},          // 30
        {"X  -  -  X  X  -  -  -  -  -  X  -", "7#9"},          // 31
        {"X  -  -  X  -  -  -  X  -  -  X  -", "Min7"},         // 32
        {"X  -  -  X  -  -  X  -  -  -  X  -", "Min7b5"},       // 33
        {"X  -  -  X  -  X  -  X  -  -  X  -", "Min7sus4"},     // 34
        {"X  -  -  X  -  X  -  -  -  -  X  -", "Min7sus4"},     // 35
        {"X  -  -  X  -  -  -  X  -  -  -  X", "MinMaj7"},      // 36
        {"X  -  -  -  X  -  -  -  -  X  X  -", "7/6"},          // 37
        {"X  -  -  -  X  -  -  X  -  X  X  -", "7/6"},          // 38
        {"X  X  -  -  X  -  X  -  -  -  X  -", "7b5b9"},        // 39
        {"X  -  -  X  X  -  X  -  -  -  X  -", "7b5#9"},        // 40
        {"X  X  -  -  X  -  -  -  X  -  X  -", "7+b9"},         // 41
        {"X  -  -  X  X  -  -  -  X  -  X  -", "7+#9"},         // 42
        {"X  -  X  -  X  -  -  -  -  -  -  X", "Maj9"},         // 43
        {"X  -  X  -  X  -  -  X  -  -  -  X", "Maj9"},         // 44
        {"X  -  X  -  X  -  -  -  -  -  X  -", "9"},            // 45
        {"X  -  X  -  X  -  -  X  -  -  X  -", "9"},            // 46
        {"X  -  X  -  X  -  -  X  -  X  -  -", "9/6"},          // 47
        {"X  -  X  -  -  X  -  -  -  -  X  -", "9sus4"},        // 48
        {"X  -  X  -  -  X  -  X  -  -  X  -", "9sus4"},        // 49
        {"X  -  X  -  X  -  X  -  -  -  X  -", "9b5"},          // 50
        {"X  -  X  -  X  -  -  -  X  -  X  -", "9+5"},          // 51
        {"X  -  X  -  X  -  X  -  -  -  X  -", "9#11"},         // 52
        {"X  -  X  X  -  -  -  -  -  -  X  -", "Min9"},         // 53
        {"X  -  X  X  -  -  -  X  -  -  X  -", "Min9"},         // 54
        {"X  -  X  X  -  X  -  -  -  -  X  -", "Min9sus4"},     // 55
        {"X  -  X  X  -  X  -  X  -  -  X  -", "Min9sus4"},     // 56
        {"X  -  -  -  -  X  -  X  -  -  X  -", "11"},           // 57
        {"X  -  -  -  -  X  -  -  -  -  X  -", "11"},           // 58
        {"X  -  -  X  -  X  -  X  -  -  X  -", "Min11"},        // 59
        {"X  -  -  X  -  X  -  -  -  -  X  -", "Min11"},        // 60
        {"X  -  X  -  X  -  X  -  -  -  X  -", "+11"},          // 61
        {"X  -  X  -  X  -  -  -  -  X  X  -", "13"},           // 62
        {"X  -  -  -  X  -  -  -  -  X  X  -", "13"},           // 63
        {"X  -  X  -  -  X  -  -  -  X  X  -", "13sus4"},       // 64
        {"X  -  -  -  X  -  X  -  -  X  X  -", "13b5"},         // 65
        {"X  -  X  -  X  -  X  -  -  X  X  -", "13b5"},         // 66
        {"X  X  -  -  X  -  -  -  -  X  X  -", "13b9"},         // 67
        {"X  X  -  -  X  -  X  -  -  X  X  -", "13b5b9"},       // 68
        {"X  -  -  -  -  X  -  X  -  -  -  -", "sus4"},         // 69
        {"X  -  X  -  -  -  -  X  -  -  -  -", "sus2"},         // 70
        {"X  -  X  -  X  -  -  X  -  -  -  -", "sus2"},         // 71
        {"X  -  -  -  X  -  X  X  -  -  -  -", "(add #11)"},    // 72
        {"X  -  X  -  X  -  -  X  -  -  -  -", "(add 9)"},      // 73
    };
    // clang-format on

    // Room a display text needs: longest root name, a blank, longest label, a blank, longest
    // inversion name. Labels widen byte for byte (see LabelsAreLatin1), so bytes count as
    // characters.
    static constexpr size_t LongestTextLength() {
        size_t root = 0, label = 0, inversion = 0;
        for (const wchar_t* name : rootNames)
            root = Max(root, std::char_traits<wchar_t>::length(name));
        for (const ChordPattern& row : patterns)
            label = Max(label, std::char_traits<char>::length(row.label));
        for (const wchar_t* name : inversionNames)
            inversion = Max(inversion, std::char_traits<wchar_t>::length(name));
        return root + 1 + label + 1 + inversion;
    }

    // Windows-1252 and Unicode differ only in 0x80..0x9F. With no label byte in that range, each
    // byte is its own code point and the labels widen without a code-page table.
    static constexpr bool LabelsAreLatin1() {
        for (const ChordPattern& row : patterns) {
            for (const char* p = row.label; *p != '\0'; ++p) {
                const auto code = static_cast<unsigned char>(*p);
                if (code >= 0x80 && code < 0xA0) return false;
            }
        }
        return true;
    }

    static constexpr bool RowsAreWellFormed() {
        for (const ChordPattern& row : patterns) {
            if (!ChordPattern::IsWellFormedText(row.patternText)) return false;
            if ((row.intervalMask & 1u) == 0 || row.intervalMask > 0xFFFu) return false;
        }
        return true;
    }

    static constexpr bool WeightsArePowersOfTwo() {
        for (int32_t k = 0; k < ChordPattern::kSlotCount; ++k) {
            if (intervalWeights[k] != int32_t{1} << k) return false;
        }
        return true;
    }

private:
    static constexpr size_t Max(size_t a, size_t b) { return a < b ? b : a; }
};

static_assert(sizeof(ChordDictionary::patterns) / sizeof(ChordPattern) ==
              ChordDictionary::kRowCount);
static_assert(ChordDictionary::RowsAreWellFormed());
static_assert(ChordDictionary::LabelsAreLatin1());
static_assert(ChordDictionary::WeightsArePowersOfTwo());
// Spot checks against the masks the table is known by.
static_assert(ChordDictionary::patterns[0].intervalMask == 1);
static_assert(ChordDictionary::patterns[2].intervalMask == 145);
static_assert(ChordDictionary::patterns[7].intervalMask == 137);
static_assert(ChordDictionary::patterns[17].intervalMask == 2581);
static_assert(ChordDictionary::patterns[68].intervalMask == 1619);
