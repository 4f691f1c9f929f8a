#pragma once

// Names the chord that the left hand holds and gives the engine the pitch classes to arpeggiate.
// One recogniser is embedded by value in every filter object. It has no lock of its own: the
// filter calls it only while holding its own lock. Nothing here allocates, so every operation is
// safe on the real-time paths.

#include <cstddef>
#include <cstdint>

#include "chord/ChordDictionary.h"

// A chord's display text, e.g. "G 7 1st inversion", in a fixed buffer so that building it on the
// real-time path needs no heap. The degree sign is U+00B0; every character is in U+0000..U+00FF,
// so one wchar_t holds one character whether wchar_t has 16 or 32 bits.
struct ChordText {
    static constexpr size_t kCapacity = 40;  // characters, including the terminating zero
    // Enough UTF-8 bytes for any text GetChordText builds: at most two per Latin-1 character.
    static constexpr size_t kUtf8Capacity = 2 * (kCapacity - 1) + 1;

    wchar_t text[kCapacity] = {};  // zero-terminated
    size_t length = 0;             // characters, without the terminator

    // Writes the text as zero-terminated UTF-8 and returns its length in bytes. When the whole
    // text and its terminator do not fit in `capacity` bytes, writes only an empty string (if
    // capacity allows) and returns 0: a display never shows a cut name. A null `out` writes
    // nothing. [any thread]
    size_t ToUtf8(char* out, size_t capacity) const;
};

static_assert(ChordDictionary::LongestTextLength() < ChordText::kCapacity,
              "the longest root + label + inversion text must fit in ChordText");

class CChordRecognizer {
public:
    // All state starts at 0, so a read before any recognition yields C, row 0 and "Root".
    // [any thread]
    CChordRecognizer();

    // Recognises `count` note numbers in any order, duplicates allowed. Returns false and keeps the
    // previous result when there is no note; otherwise always leaves a result and returns true
    // (a set that matches no row within five searches falls back to "Maj" on the bass).
    // [playback or live thread, under the filter's lock]
    bool Recognize(const int32_t* notes, int32_t count);

    // Pitch classes to play, bit k = k semitones above GetRoot(). The partial and full major and
    // minor shapes (rows 0 to 7) play as full triads.
    // [playback or live thread, under the filter's lock]
    uint32_t GetChordMask() const;

    // [playback or live thread, under the filter's lock]
    int32_t GetRoot() const;

    // "<root> <label> <inversion>" of the last result.
    // [playback or live thread, under the filter's lock]
    ChordText GetChordText() const;

    // [playback or live thread, under the filter's lock]
    int32_t GetChordIndex() const;
    // [playback or live thread, under the filter's lock]
    int32_t GetInversion() const;
    // [playback or live thread, under the filter's lock]
    uint32_t GetNoteMask() const;
    // [playback or live thread, under the filter's lock]
    int32_t GetBassPitchClass() const;

private:
    bool BuildNoteMask(const int32_t* notes, int32_t count);
    void FindChord();

    // Input, relative to the lowest note
    int32_t bassPitchClass;  // 0..11
    uint32_t noteMask;       // bit k: some note lies k semitones (mod 12) above the lowest

    // Result of the last successful Recognize
    int32_t root;        // pitch class 0..11, 0 = C
    int32_t chordIndex;  // row 0..73 of ChordDictionary::patterns
    int32_t inversion;   // rotations needed, 0..4
};
