#include "host/TempoMapConverter.h"

#include <algorithm>

#include "engine/TimeMath.h"

namespace {

constexpr int64_t kDefaultUsPerQuarter = 500000;

}  // namespace

TempoMapConverter::TempoMapConverter(int32_t ticks, const std::vector<TempoChange>& changes)
    : ticksPerQuarter(ticks) {
    std::vector<TempoChange> sorted;
    for (const TempoChange& change : changes) {
        if (change.tick >= 0 && change.usPerQuarter > 0) sorted.push_back(change);
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });

    segments.push_back({0, 0, kDefaultUsPerQuarter});
    for (const TempoChange& change : sorted) {
        Segment& last = segments.back();
        if (change.tick == last.tick) {
            last.usPerQuarter = change.usPerQuarter;
            continue;
        }
        // A segment that ends where it starts would make the inverse ambiguous; drop it.
        if (last.usPerQuarter == change.usPerQuarter) continue;
        segments.push_back({change.tick, TicksToUs(change.tick), change.usPerQuarter});
    }
}

// Songs mostly keep one tempo, or end on their last one: the last segment is tried first.
const TempoMapConverter::Segment& TempoMapConverter::SegmentAtTick(int64_t ticks) const {
    if (ticks >= segments.back().tick) return segments.back();
    auto after = std::upper_bound(segments.begin(), segments.end(), ticks,
                                  [](int64_t t, const Segment& s) { return t < s.tick; });
    return after == segments.begin() ? segments.front() : *(after - 1);
}

const TempoMapConverter::Segment& TempoMapConverter::SegmentAtUs(int64_t us) const {
    if (us >= segments.back().us) return segments.back();
    auto after = std::upper_bound(segments.begin(), segments.end(), us,
                                  [](int64_t u, const Segment& s) { return u < s.us; });
    return after == segments.begin() ? segments.front() : *(after - 1);
}

// Cannot overflow for 32-bit tick positions: a segment's microseconds are below
// 2^31 ticks x 2^31 us per quarter.
int64_t TempoMapConverter::TicksToUs(int64_t ticks) const {
    if (ticksPerQuarter <= 0) return 0;
    const Segment& segment = SegmentAtTick(ticks);
    return segment.us + (ticks - segment.tick) * segment.usPerQuarter / ticksPerQuarter;
}

int32_t STDMETHODCALLTYPE TempoMapConverter::TicksToMs(int32_t ticks) {
    return timemath::Saturate(TicksToUs(ticks) / 1000);
}

int32_t STDMETHODCALLTYPE TempoMapConverter::MsToTicks(int32_t ms) {
    if (ticksPerQuarter <= 0) return 0;
    const int64_t us = int64_t{ms} * 1000;
    const Segment& segment = SegmentAtUs(us);
    const int64_t since = us - segment.us;
    // Within 2^32 us (71 minutes) of the segment's start, the product with a ticks per quarter
    // below 2^31 stays below 2^63 in magnitude, and so does the sum with a tick below 2^31: 64
    // bits give exactly the 128-bit result without the cost of a 128-bit division. Further
    // away, with any ticks per quarter a host may report, only 128 bits do not wrap.
    constexpr int64_t kNarrowSpan = int64_t{1} << 32;
    if (since > -kNarrowSpan && since < kNarrowSpan) {
        return timemath::Saturate(segment.tick + since * ticksPerQuarter / segment.usPerQuarter);
    }
    const __int128 ticks =
        segment.tick + static_cast<__int128>(since) * ticksPerQuarter / segment.usPerQuarter;
    if (ticks > timemath::kMax) return static_cast<int32_t>(timemath::kMax);
    if (ticks < timemath::kMin) return static_cast<int32_t>(timemath::kMin);
    return static_cast<int32_t>(ticks);
}
