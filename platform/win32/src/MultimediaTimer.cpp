// The system's multimedia timers. TIME_KILL_SYNCHRONOUS makes Kill wait for a callback that is
// running, so a filter can be destroyed right after its timer is killed.
#include "platform/MultimediaTimer.h"

#include "platform/ComTypes.h"

#include <mmsystem.h>

namespace {

void CALLBACK TimerCallback(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    if (user != 0) reinterpret_cast<TimerTarget*>(user)->OnTimer();
}

}  // namespace

namespace mmtimer {

uint32_t GetTimeMs() { return timeGetTime(); }

void BeginPeriod(uint32_t resolutionMs) { timeBeginPeriod(resolutionMs); }

void EndPeriod(uint32_t resolutionMs) { timeEndPeriod(resolutionMs); }

uint32_t SetPeriodic(uint32_t periodMs, uint32_t resolutionMs, TimerTarget* target) {
    if (target == nullptr) return 0;
    return timeSetEvent(periodMs, resolutionMs, TimerCallback, reinterpret_cast<DWORD_PTR>(target),
                        TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
}

void Kill(uint32_t timerId) {
    if (timerId != 0) timeKillEvent(timerId);
}

}  // namespace mmtimer
