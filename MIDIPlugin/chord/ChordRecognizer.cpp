#include "chord/ChordRecognizer.h"

#include <bit>

#include "MidiConstants.h"

namespace {

using midi::kHighestKey;
using midi::kLowestKey;

// Starting value of the lowest-note scan; any key is below it.
constexpr int32_t kNoLowestNote = kHighestKey + 1;
// The table is searched with the notes as played and after up to four rotations.
constexpr int32_t kRotationLimit = 5;

bool IsKey(int32_t note) { return note >= kLowestKey && note <= kHighestKey; }

void Append(ChordText& text, const wchar_t* part) {
    for (; *part != L'\0' && text.length + 1 < ChordText::kCapacity; ++part) {
        text.text[text.length++] = *part;
    }
    text.text[text.length] = L'\0';
}

// Labels hold no byte in 0x80..0x9F (checked at compile time), so each Windows-1252 byte is
// its own code point.
void AppendLabel(ChordText& text, const char* label) {
    for (; *label != '\0' && text.length + 1 < ChordText::kCapacity; ++label) {
        text.text[text.length++] = static_cast<wchar_t>(static_cast<unsigned char>(*label));
    }
    text.text[text.length] = L'\0';
}

size_t Utf8Length(uint32_t codePoint) {
    if (codePoint < 0x80) return 1;
    if (codePoint < 0x800) return 2;
    if (codePoint < 0x10000) return 3;
    return 4;
}

}  // namespace

size_t ChordText::ToUtf8(char* out, size_t capacity) const {
    if (out == nullptr || capacity == 0) return 0;
    // Each wchar_t is taken as one code point: the text never holds surrogate pairs.
    size_t needed = 0;
    for (size_t i = 0; i < length; ++i) needed += Utf8Length(static_cast<uint32_t>(text[i]));
    if (needed + 1 > capacity) {
        out[0] = '\0';
        return 0;
    }
    char* p = out;
    for (size_t i = 0; i < length; ++i) {
        const auto c = static_cast<uint32_t>(text[i]);
        switch (Utf8Length(c)) {
            case 1:
                *p++ = static_cast<char>(c);
                break;
            case 2:
                *p++ = static_cast<char>(0xC0 | (c >> 6));
                *p++ = static_cast<char>(0x80 | (c & 0x3F));
                break;
            case 3:
                *p++ = static_cast<char>(0xE0 | (c >> 12));
                *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                *p++ = static_cast<char>(0x80 | (c & 0x3F));
                break;
            default:
                *p++ = static_cast<char>(0xF0 | ((c >> 18) & 0x07));
                *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
                *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                *p++ = static_cast<char>(0x80 | (c & 0x3F));
                break;
        }
    }
    *p = '\0';
    return needed;
}

CChordRecognizer::CChordRecognizer()
    : bassPitchClass(0), noteMask(0), root(0), chordIndex(0), inversion(0) {}

bool CChordRecognizer::Recognize(const int32_t* notes, int32_t count) {
    if (!BuildNoteMask(notes, count)) return false;
    root = bassPitchClass;
    inversion = 0;
    FindChord();
    return true;
}

// Numbers outside 0..127 are not keys and are skipped, so no input can overflow the interval
// arithmetic or leave bit 0 unset; a list with no key in it counts as empty (as does count <= 0).
bool CChordRecognizer::BuildNoteMask(const int32_t* notes, int32_t count) {
    if (notes == nullptr || count <= 0) return false;
    int32_t lowest = kNoLowestNote;
    for (int32_t i = 0; i < count; ++i) {
        if (IsKey(notes[i]) && notes[i] < lowest) lowest = notes[i];
    }
    if (lowest == kNoLowestNote) return false;

    uint32_t mask = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (IsKey(notes[i])) {
            mask |= static_cast<uint32_t>(
                ChordDictionary::intervalWeights[(notes[i] - lowest) % midi::kPitchClassCount]);
        }
    }
    noteMask = mask;
    bassPitchClass = lowest % midi::kPitchClassCount;
    return true;
}

// Each failed search makes the highest held pitch class the new root and tries again; after the
// fifth failed search the chord falls back to row 0 on the bass.
void CChordRecognizer::FindChord() {
    uint32_t m = noteMask;
    for (;;) {
        for (int32_t row = 0; row < ChordDictionary::kRowCount; ++row) {
            if (ChordDictionary::patterns[row].intervalMask == m) {
                chordIndex = row;
                return;
            }
        }
        ++inversion;

        // Bit 0 is set and m is not 1 (row 0 would have matched), so h is 1..11 and the shift
        // keeps every bit below 12.
        const auto h = static_cast<int32_t>(std::bit_width(m)) - 1;
        m &= ~(uint32_t{1} << h);
        m <<= 12 - h;
        root -= 12 - h;
        if (root < 0) root += 12;
        root %= 12;
        m |= 1u;

        if (inversion == kRotationLimit) {
            root = bassPitchClass;
            inversion = 0;
            chordIndex = 0;
            return;
        }
    }
}

uint32_t CChordRecognizer::GetChordMask() const {
    // Rows 0..4 are the partial and full major shapes, 5..7 the minor ones.
    if (chordIndex <= 4) return ChordDictionary::patterns[2].intervalMask;
    if (chordIndex <= 7) return ChordDictionary::patterns[7].intervalMask;
    return ChordDictionary::patterns[chordIndex].intervalMask;
}

int32_t CChordRecognizer::GetRoot() const { return root; }

ChordText CChordRecognizer::GetChordText() const {
    ChordText text;
    Append(text, ChordDictionary::rootNames[root]);
    Append(text, L" ");
    AppendLabel(text, ChordDictionary::patterns[chordIndex].label);
    Append(text, L" ");
    Append(text, ChordDictionary::inversionNames[inversion]);
    return text;
}

int32_t CChordRecognizer::GetChordIndex() const { return chordIndex; }

int32_t CChordRecognizer::GetInversion() const { return inversion; }

uint32_t CChordRecognizer::GetNoteMask() const { return noteMask; }

int32_t CChordRecognizer::GetBassPitchClass() const { return bassPitchClass; }
