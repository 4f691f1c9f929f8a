// The shortcuts of the playback path against the plain computations they stand for: the reused
// summary of held keys against a scan of the whole table at every chunk, and the 64-bit
// millisecond conversion against 128-bit arithmetic. Random inputs with fixed seeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/TimeMath.h"
#include "host/TempoMapConverter.h"
#include "support/TestRandom.h"

namespace {

constexpr int32_t kMin = TestRandom::kMin;
constexpr int32_t kMax = TestRandom::kMax;

// Mostly ends near `around`, with the sentinel -1 and the range's edges mixed in.
int32_t Entry(TestRandom& random, int32_t around) {
    static constexpr int32_t kEdges[] = {-1, -1, -1, kMin, kMin + 1, -2, 0, kMax - 1, kMax};
    if (random.Chance(4)) return random.Pick(kEdges);
    return static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{around} + random.Between(-300, 300), kMin, kMax));
}

// The loop the summary replaces, as FilterChunk wrote it.
struct PlainScan {
    int32_t count = 0;
    int32_t latest = kMin;
};
PlainScan ScanEveryKey(const int32_t (&table)[128], int64_t reference) {
    PlainScan scan;
    for (const int32_t entry : table) {
        if (timemath::IsActive(entry, reference)) {
            ++scan.count;
            scan.latest = std::max(scan.latest, entry);
        }
    }
    return scan;
}

}  // namespace

// The summary counts and dates the active entries as a scan of every key does. It is reused for
// a later reference while it holds; it must then say what a new scan would, and it must stop
// holding before an active entry ends.
TEST(KeyTableSummary, HoldsForLaterReferencesOnlyWhileNoActiveEntryHasEnded) {
    TestRandom random(11);
    for (int round = 0; round < 4000; ++round) {
        const int32_t around = random.Between(-200, 2000);
        int32_t table[128];
        // Sparse or full tables, their entries mostly near the first reference.
        const size_t density = random.Chance(3) ? 1 : 8;
        for (int32_t& entry : table) entry = random.Chance(density) ? Entry(random, around) : -1;
        int64_t reference = Entry(random, around);
        const timemath::ActiveSummary summary = timemath::SummarizeActive(table, reference);
        for (int step = 0; step < 40 && reference <= kMax; ++step) {
            const PlainScan plain = ScanEveryKey(table, reference);
            if (timemath::SummaryHolds(summary, reference)) {
                ASSERT_EQ(summary.count, plain.count) << "round " << round << " at " << reference;
                ASSERT_EQ(summary.latest, plain.latest) << "round " << round << " at " << reference;
            } else {
                ASSERT_LT(plain.count, summary.count) << "a summary that still matched was dropped";
            }
            reference += random.Between(0, 40);
        }
        ASSERT_FALSE(timemath::SummaryHolds(summary, summary.reference - 1))
            << "an earlier reference can wake entries the summary left out";
        ASSERT_FALSE(timemath::SummaryHolds(timemath::kStaleSummary, kMin));
        ASSERT_FALSE(timemath::SummaryHolds(timemath::kStaleSummary, kMax));
    }
}

// Below 2^32 us past a segment's start the conversion takes 64 bits; the result must be the
// 128-bit one on both sides of that bound and for any ticks per quarter.
TEST(TempoMapConverter, MsToTicksGivesTheExactQuotientOnBothSidesOfThe64BitBound) {
    struct Map {
        int32_t ticksPerQuarter;
        std::vector<TempoChange> changes;  // ascending ticks, each tempo differing from the last
    };
    const Map maps[] = {{480, {}},
                        {kMax, {}},
                        {960, {{0, 1}}},
                        {kMax, {{0, 1}, {1000, 2000000}}},
                        {96, {{0, 600000}, {100, 250000}, {333, 1234567}, {700, 400000}}},
                        {30000, {{0, 100000}, {5000000, 1}, {5000001, kMax}}}};
    constexpr int64_t kBound = int64_t{1} << 32;
    for (const Map& map : maps) {
        TempoMapConverter converter(map.ticksPerQuarter, map.changes);
        struct Segment {
            int64_t tick;
            int64_t us;
            int64_t usPerQuarter;
        };
        std::vector<Segment> segments;
        if (map.changes.empty() || map.changes.front().tick != 0)
            segments.push_back({0, 0, 500000});
        for (const TempoChange& change : map.changes) {
            segments.push_back(
                {change.tick, converter.TicksToUs(change.tick), change.usPerQuarter});
        }
        std::vector<int64_t> probes = {kMin, kMin + 1, -1, 0, 1, kMax - 1, kMax};
        for (const Segment& segment : segments) {
            for (const int64_t edge : {segment.us - kBound, segment.us, segment.us + kBound}) {
                for (int64_t ms = edge / 1000 - 3; ms <= edge / 1000 + 3; ++ms)
                    probes.push_back(ms);
            }
        }
        for (const int64_t probe : probes) {
            if (probe < kMin || probe > kMax) continue;
            const int64_t us = probe * 1000;
            const Segment* segment = &segments.front();
            for (const Segment& s : segments) {
                if (s.us <= us) segment = &s;
            }
            const __int128 ticks = segment->tick + static_cast<__int128>(us - segment->us) *
                                                       map.ticksPerQuarter / segment->usPerQuarter;
            const auto expected =
                static_cast<int32_t>(ticks > kMax ? kMax : (ticks < kMin ? kMin : ticks));
            EXPECT_EQ(converter.MsToTicks(static_cast<int32_t>(probe)), expected)
                << map.ticksPerQuarter << " ticks per quarter, " << probe << " ms";
        }
    }
}
