// The filter's millisecond clock: a 25 ms periodic timer that adds the elapsed system time to
// msClock. Only the timer thread writes msClock between PlaybackStarted calls; readers take a
// relaxed load and see the old or the new value.
#include "engine/Arpeggiator.h"

namespace {
constexpr uint32_t kTimerPeriodMs = 25;
constexpr uint32_t kTimerResolutionMs = 10;
}  // namespace

// [any thread; construction, and tests that restart a stopped clock]
void CArpeggiator::StartMillisecondClock() {
    StopMillisecondClock();
    mmtimer::BeginPeriod(kTimerResolutionMs);
    lastTimerMs = mmtimer::GetTimeMs();
    timerId = mmtimer::SetPeriodic(kTimerPeriodMs, kTimerResolutionMs, this);
    timerRunning = 1;
}

// [any thread; destruction, and tests that drive msClock by hand]
void CArpeggiator::StopMillisecondClock() {
    if (timerRunning != 0) {
        if (timerId != 0) mmtimer::Kill(timerId);
        timerId = 0;
        mmtimer::EndPeriod(kTimerResolutionMs);
        timerRunning = 0;
    }
    msClock.store(0, std::memory_order_relaxed);
}

// [timer thread] Unsigned arithmetic: the system time wraps every 49.7 days and so does the sum.
void CArpeggiator::OnTimer() {
    const uint32_t now = mmtimer::GetTimeMs();
    msClock.store(msClock.load(std::memory_order_relaxed) + (now - lastTimerMs),
                  std::memory_order_relaxed);
    lastTimerMs = now;
}
