// The shortcuts of the playback path against the plain computations they stand for: the reused
// summary of held keys against a scan of the whole table at every chunk, and the 64-bit
// millisecond conversion against 128-bit arithmetic. Random inputs with fixed seeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/TimeMath.h"
#include "host/TempoMapConverter.h"
#include "support/FilterFixture.h"
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

// Two filters get the same windows; one is made to scan the whole table at every chunk, as
// before the summary was kept. Their arpeggios and their held keys stay the same.
TEST(KeyTableSummary, ReuseGivesTheArpeggioOfAScanAtEveryChunk) {
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        TestRandom random(seed);
        ArpeggiatorParams block = DefaultArpeggiatorParams();
        block.rateUnits = random.Between(0, 2);
        block.rateAmount = random.Between(1, 300);
        block.noteValue = random.Between(0, 10);
        block.keepInRange = random.Between(0, 1);
        block.leftHandWindowOn = random.Between(0, 1);
        block.playOriginals = random.Between(0, 1);
        block.pathDirection = random.Between(0, 3);
        FilterHarness reusing;
        FilterHarness scanning;
        reusing.Params() = block;
        scanning.Params() = block;
        int32_t from = random.Chance(4) ? random.Between(-400, 0) : 0;
        for (int call = 0; call < 200; ++call) {
            // Windows of one chunk, so that the scanning filter scans at every chunk.
            const int32_t thru = from + random.Between(1, 100);
            std::vector<EventRecord> input;
            const int notes = random.Chance(3) ? random.Between(1, 4) : 0;
            for (int i = 0; i < notes; ++i) {
                const int32_t time =
                    random.Chance(10) ? Entry(random, from) : random.Between(from, thru);
                const auto duration = static_cast<uint32_t>(
                    random.Chance(20) ? Entry(random, 0) : random.Between(0, 600));
                input.push_back(
                    Note(time, random.Between(20, 100), random.Between(0, 127), duration));
            }
            scanning.View().ForgetKeyScan();
            const std::vector<EventRecord> reused = reusing.Play(from, thru, input);
            const std::vector<EventRecord> scanned = scanning.Play(from, thru, input);
            ASSERT_TRUE(SameRecords(reused, scanned)) << "seed " << seed << " call " << call;
            const ArpeggiatorState& a = reusing.State();
            const ArpeggiatorState& b = scanning.State();
            ASSERT_EQ(a.soundingCount, ScanEveryKey(a.keyEndTimes, from).count);
            ASSERT_EQ(a.soundingCount, b.soundingCount);
            ASSERT_EQ(a.nextStepTime, b.nextStepTime);
            ASSERT_EQ(a.currentNote, b.currentNote);
            from = random.Chance(30) ? random.Between(-100, 3000) : thru + 1;
            if (random.Chance(40)) {
                reusing.filter->PlaybackStopped(0, nullptr);
                scanning.filter->PlaybackStopped(0, nullptr);
            }
        }
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
