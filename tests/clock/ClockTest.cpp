// The filters' millisecond clocks on the system's multimedia timers, run under Wine. These are
// the only tests that wait on wall time: every wait is bounded, and the checks are loose
// enough for a loaded machine.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <set>
#include <vector>

#include "engine/Arpeggiator.h"
#include "engine/FilterAccess.h"
#include "engine/FilterTestView.h"
#include "platform/MultimediaTimer.h"

namespace {

struct FilterDeleter {
    void operator()(CArpeggiator* filter) const { filter->Release(); }
};
using FilterPtr = std::unique_ptr<CArpeggiator, FilterDeleter>;

// Wall time from the performance counter, independent of the timeGetTime the clock adds up.
class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
    }
    double Seconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    }

private:
    LARGE_INTEGER frequency, start;
};

// Polls every 10 ms until `done` holds or `seconds` have passed; returns whether it held.
template <typename Done>
bool WaitUntil(Done done, double seconds) {
    const Stopwatch watch;
    while (!done()) {
        if (watch.Seconds() > seconds) return false;
        Sleep(10);
    }
    return true;
}

// Wine gives a process 16 multimedia timers; these tests ask for more.
constexpr int kMoreThanTheSystemHas = 24;

}  // namespace

TEST(MillisecondClock, EveryFilterKeepsTimeWithMoreFiltersThanSystemTimers) {
    std::vector<FilterPtr> filters;
    for (int i = 0; i < kMoreThanTheSystemHas; ++i) filters.emplace_back(new CArpeggiator);

    std::set<uint32_t> ids;
    for (const FilterPtr& f : filters) ids.insert(FilterTestView(*f).State().timerId);
    EXPECT_EQ(ids.size(), filters.size()) << "every filter has a timer of its own";
    EXPECT_EQ(ids.count(0), 0u);

    auto allPast200 = [&] {
        for (const FilterPtr& f : filters) {
            if (FilterAccess(*f).Clock() <= 200) return false;
        }
        return true;
    };
    WaitUntil(allPast200, 10.0);
    for (int i = 0; i < kMoreThanTheSystemHas; ++i) {
        EXPECT_GT(FilterAccess(*filters[i]).Clock(), 200u) << "filter " << i;
    }
}

// With no other timer in the process the filter's clock runs on a system timer.
TEST(MillisecondClock, ASystemTimerAdvancesTheClockAtWallTimeRate) {
    FilterPtr filter(new CArpeggiator);
    const uint32_t before = FilterAccess(*filter).Clock();
    const Stopwatch watch;
    WaitUntil([&] { return watch.Seconds() >= 1.0; }, 2.0);
    const uint32_t advanced = FilterAccess(*filter).Clock() - before;
    EXPECT_GE(advanced, 500u);
    EXPECT_LE(advanced, 2000u);
}

namespace {

// Counts its ticks and holds each for a moment, so that a Kill is likely to meet one running.
class CountingTarget final : public TimerTarget {
public:
    void OnTimer() override {
        inside = true;
        Sleep(2);
        calls.fetch_add(1);
        inside = false;
    }
    std::atomic<int> calls{0};
    std::atomic<bool> inside{false};
};

}  // namespace

TEST(MultimediaTimer, AKilledTimerIsNotRunningAndNeverCalledAgain) {
    CountingTarget targets[kMoreThanTheSystemHas];
    uint32_t ids[kMoreThanTheSystemHas];
    for (int i = 0; i < kMoreThanTheSystemHas; ++i) {
        ids[i] = mmtimer::SetPeriodic(25, 10, &targets[i]);
        ASSERT_NE(ids[i], 0u) << "target " << i;
    }
    auto allTicked = [&] {
        for (const CountingTarget& t : targets) {
            if (t.calls.load() < 2) return false;
        }
        return true;
    };
    EXPECT_TRUE(WaitUntil(allTicked, 5.0));

    int callsAtKill[kMoreThanTheSystemHas];
    for (int i = 0; i < kMoreThanTheSystemHas; ++i) {
        mmtimer::Kill(ids[i]);
        EXPECT_FALSE(targets[i].inside.load()) << "target " << i;
        callsAtKill[i] = targets[i].calls.load();
    }
    Sleep(100);
    for (int i = 0; i < kMoreThanTheSystemHas; ++i) {
        EXPECT_EQ(targets[i].calls.load(), callsAtKill[i]) << "target " << i;
    }
}
