// The periodic timer behind each filter's millisecond clock. In the Windows build these are the
// system's multimedia timer functions; in the native build a thread with a monotonic clock
// stands in. The target is called on the timer's own thread.
#pragma once

#include <cstdint>

class TimerTarget {
public:
    virtual void OnTimer() = 0;

protected:
    ~TimerTarget() = default;
};

namespace mmtimer {

// Milliseconds of a free-running monotonic clock, wrapping modulo 2^32.
uint32_t GetTimeMs();

void BeginPeriod(uint32_t resolutionMs);
void EndPeriod(uint32_t resolutionMs);

// Starts a periodic timer; returns its id, or 0 when no timer could be created.
uint32_t SetPeriodic(uint32_t periodMs, uint32_t resolutionMs, TimerTarget* target);

// Stops a timer. When it returns, the target is not being called and will not be again.
void Kill(uint32_t timerId);

}  // namespace mmtimer
