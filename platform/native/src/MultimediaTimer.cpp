// Native stand-in for the system's multimedia timers: one thread per timer, ticking on a
// monotonic clock. Timer creation and destruction allocate and join; they run only when a
// filter is constructed or destroyed, never in a real-time call.
#include "platform/MultimediaTimer.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct NativeTimer {
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::thread thread;
};

std::mutex registryMutex;
std::map<uint32_t, std::unique_ptr<NativeTimer>>& Registry() {
    static std::map<uint32_t, std::unique_ptr<NativeTimer>> timers;
    return timers;
}
uint32_t lastTimerId = 0;

void RunTimer(NativeTimer* timer, uint32_t periodMs, TimerTarget* target) {
    auto next = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> hold(timer->mutex);
    for (;;) {
        next += std::chrono::milliseconds(periodMs);
        if (timer->wake.wait_until(hold, next, [timer] { return timer->stopping; })) return;
        hold.unlock();
        target->OnTimer();
        hold.lock();
    }
}

}  // namespace

namespace mmtimer {

uint32_t GetTimeMs() {
    auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    return static_cast<uint32_t>(ms);
}

// The native clock has one resolution; the period requests only matter on Windows.
void BeginPeriod(uint32_t) {}
void EndPeriod(uint32_t) {}

uint32_t SetPeriodic(uint32_t periodMs, uint32_t, TimerTarget* target) {
    if (target == nullptr || periodMs == 0) return 0;
    auto timer = std::make_unique<NativeTimer>();
    NativeTimer* raw = timer.get();
    std::lock_guard<std::mutex> hold(registryMutex);
    uint32_t id = ++lastTimerId;
    if (id == 0) id = ++lastTimerId;  // 0 means "no timer"
    raw->thread = std::thread(RunTimer, raw, periodMs, target);
    Registry().emplace(id, std::move(timer));
    return id;
}

void Kill(uint32_t timerId) {
    std::unique_ptr<NativeTimer> timer;
    {
        std::lock_guard<std::mutex> hold(registryMutex);
        auto found = Registry().find(timerId);
        if (found == Registry().end()) return;
        timer = std::move(found->second);
        Registry().erase(found);
    }
    {
        std::lock_guard<std::mutex> hold(timer->mutex);
        timer->stopping = true;
    }
    timer->wake.notify_all();
    timer->thread.join();
}

}  // namespace mmtimer
