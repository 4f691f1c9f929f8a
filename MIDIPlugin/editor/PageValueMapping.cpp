#include "editor/PageValueMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace pagevalues {

double ToUnit(int32_t n, int32_t min, int32_t max) {
    const double unit = (static_cast<double>(n) - min) / (static_cast<double>(max) - min);
    return std::clamp(unit, 0.0, 1.0);
}

int32_t FromUnit(double x, int32_t min, int32_t max) {
    const double n = std::floor(x * (static_cast<double>(max) - min) + min + 0.5);
    if (!(n >= min)) return min;
    if (n > max) return max;
    return static_cast<int32_t>(n);
}

int32_t RangeTop(int32_t bottom, int32_t span) {
    const int64_t top = int64_t{bottom} + span;
    return static_cast<int32_t>(std::clamp<int64_t>(top, INT32_MIN, INT32_MAX));
}

KeyRange WithLowSet(int32_t lo, int32_t hi, int32_t minSpan) {
    lo = std::min(lo, kKey.max - minSpan);
    hi = std::clamp(std::max(hi, lo + minSpan), minSpan, kKey.max);
    return {lo, hi};
}

KeyRange WithHighSet(int32_t lo, int32_t hi, int32_t minSpan) {
    hi = std::max(hi, minSpan);
    lo = std::clamp(std::min(lo, hi - minSpan), kKey.min, kKey.max - minSpan);
    return {lo, hi};
}

}  // namespace pagevalues
