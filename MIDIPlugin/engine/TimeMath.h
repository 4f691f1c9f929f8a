// Saturating and wrapping arithmetic for tick and millisecond times. The parameter block and
// the host's records may hold any 32-bit values; these keep every sum in range and every float
// conversion defined, and are the identity for the values valid use produces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

namespace timemath {

inline constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
inline constexpr int64_t kMax = std::numeric_limits<int32_t>::max();

constexpr int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

constexpr int32_t AddSaturating(int32_t a, int64_t b) { return Saturate(int64_t{a} + b); }

// Step indices only matter by parity and sign; they wrap instead of overflowing.
constexpr int32_t IncrementWrapping(int32_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) + 1u);
}

// Truncation toward zero, with out-of-range values (and NaN) pinned instead of undefined.
inline int32_t TruncateToInt32(double value) {
    if (!(value == value)) return 0;
    if (value <= static_cast<double>(kMin)) return static_cast<int32_t>(kMin);
    if (value >= static_cast<double>(kMax)) return static_cast<int32_t>(kMax);
    return static_cast<int32_t>(value);
}

// A key or pitch-class table entry is active at a reference time when it is at or after it.
// -1 marks "not sounding" and stays inactive even for references below 0, so that song
// positions before tick 0 (a count-in) do not wake every key of the table.
constexpr bool IsActive(int32_t entry, int64_t reference) {
    return entry != -1 && entry >= reference;
}

// The active entries of a table at one reference time. An entry only stops being active once
// the reference passes it, so for a later reference up to `earliest` the same entries are
// active and the summary still holds, as long as the table is unchanged.
struct ActiveSummary {
    int64_t reference;
    int32_t count;
    int32_t latest;    // the latest active entry; below every entry when count is 0
    int64_t earliest;  // the earliest active entry; past every reference when count is 0
};

// Holds for no reference: what a writer of the table leaves behind.
inline constexpr ActiveSummary kStaleSummary = {kMax + 1, 0, static_cast<int32_t>(kMin), kMin};

constexpr bool SummaryHolds(const ActiveSummary& summary, int64_t reference) {
    return summary.reference <= reference && reference <= summary.earliest;
}

template <size_t Size>
constexpr ActiveSummary SummarizeActive(const int32_t (&table)[Size], int64_t reference) {
    ActiveSummary summary = {reference, 0, static_cast<int32_t>(kMin), kMax + 1};
    for (const int32_t entry : table) {
        if (!IsActive(entry, reference)) continue;
        ++summary.count;
        if (entry > summary.latest) summary.latest = entry;
        if (entry < summary.earliest) summary.earliest = entry;
    }
    return summary;
}

// A non-negative remainder, 0..11, for any signed value.
constexpr int32_t PitchClass(int64_t value) {
    return static_cast<int32_t>(((value % 12) + 12) % 12);
}

}  // namespace timemath
