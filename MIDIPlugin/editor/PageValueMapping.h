// How the page maps the parameter block's integers to the controls' values in [0, 1], and
// back, and the limits it keeps the two ranges in. Pure functions. [any thread]
#pragma once

#include <array>
#include <cstdint>

namespace pagevalues {

// (n - min) / (max - min) in double precision, clamped into [0, 1].
double ToUnit(int32_t n, int32_t min, int32_t max);
// floor(x * (max - min) + min + 0.5), clamped into [min, max]; a NaN gives min.
int32_t FromUnit(double x, int32_t min, int32_t max);

// The top key of a range, bottom + span. Stored settings may hold any numbers: the sum
// saturates at the 32-bit limits instead of overflowing.
int32_t RangeTop(int32_t bottom, int32_t span);

// The parameters' ranges as the page keeps them.
struct Range {
    int32_t min;
    int32_t max;
};
inline constexpr Range kLegato = {10, 99};
inline constexpr Range kSwing = {-100, 100};
inline constexpr Range kNoteValue = {0, 10};
inline constexpr Range kRateAmount = {1, 500};
inline constexpr Range kKey = {0, 127};

// The arpeggio range spans at least an octave, the left-hand window at least one key.
inline constexpr int32_t kOutputMinSpan = 12;
inline constexpr int32_t kChordMinSpan = 1;

// The length of each note value, in quarter notes; a triplet is the straight value x 0.66.
inline constexpr std::array<double, 11> kNoteLengths = {0.125, 0.0825, 0.25, 0.165, 0.5, 0.33,
                                                        1.0,   0.66,   2.0,  1.32,  4.0};

// A range of keys [lo, hi] after one end was set: the set end wins and pushes the other one
// so that the range spans at least `minSpan` keys and stays inside 0..127.
struct KeyRange {
    int32_t lo;
    int32_t hi;
};
KeyRange WithLowSet(int32_t lo, int32_t hi, int32_t minSpan);
KeyRange WithHighSet(int32_t lo, int32_t hi, int32_t minSpan);

}  // namespace pagevalues
