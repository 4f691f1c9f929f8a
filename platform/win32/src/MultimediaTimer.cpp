// The system's multimedia timers. TIME_KILL_SYNCHRONOUS makes Kill wait for a callback that is
// running, so a filter can be destroyed right after its timer is killed.
//
// The system's supply is limited: Wine gives a process 16 multimedia timers, and a project can
// hold more filters than that. When timeSetEvent refuses, the target is ticked instead by one
// thread that the whole process shares, at the period asked for, with the same Kill guarantee.
// The shared thread's ids carry the top bit, which the system's ids, counting up from small
// numbers, do not reach in a process's life.
#include "platform/MultimediaTimer.h"

#include "platform/ComTypes.h"

#include <mmsystem.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

void CALLBACK TimerCallback(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    if (user != 0) reinterpret_cast<TimerTarget*>(user)->OnTimer();
}

constexpr uint32_t kSharedIdBit = 0x80000000u;

// Every target that found no system timer, ticked from one thread. Add and Remove run when a
// filter is built or destroyed: they allocate, lock and may wait for the thread. The thread
// runs only while it has targets, so none is left running when the module may be unloaded.
class SharedTicker {
public:
    ~SharedTicker() {
        // Only reached with targets still registered at process exit, when the system has
        // already ended the thread; joining it from the module's exit would hang.
        if (thread.joinable()) thread.detach();
    }

    uint32_t Add(uint32_t periodMs, TimerTarget* target) {
        if (periodMs == 0) return 0;  // would keep the thread calling without a pause
        std::lock_guard<std::mutex> serial(lifecycle);
        std::lock_guard<std::mutex> hold(state);
        uint32_t id;
        do {
            id = kSharedIdBit | (++lastId & ~kSharedIdBit);
        } while (id == kSharedIdBit || entries.count(id) != 0);
        const auto period = std::chrono::milliseconds(periodMs);
        entries.emplace(id, Entry{target, period, Clock::now() + period});
        if (!thread.joinable()) {
            try {
                thread = std::thread(&SharedTicker::Run, this);
            } catch (const std::system_error&) {
                entries.erase(id);
                return 0;
            }
        }
        wake.notify_all();
        return id;
    }

    // Never called from a target's own OnTimer: it waits for that call to return.
    void Remove(uint32_t id) {
        std::lock_guard<std::mutex> serial(lifecycle);
        std::thread finished;
        {
            std::unique_lock<std::mutex> hold(state);
            if (entries.erase(id) == 0) return;
            idle.wait(hold, [&] { return calling != id; });
            if (entries.empty()) {
                stopping = true;
                wake.notify_all();
                finished = std::move(thread);
            }
        }
        if (finished.joinable()) finished.join();
        std::lock_guard<std::mutex> hold(state);
        stopping = false;
    }

private:
    using Clock = std::chrono::steady_clock;

    struct Entry {
        TimerTarget* target;
        Clock::duration period;
        Clock::time_point due;
    };

    // [shared timer thread] Targets are called with no lock held, so an Add, or a Remove of
    // another target, can go on meanwhile; walking by ascending id survives both.
    void Run() {
        std::unique_lock<std::mutex> hold(state);
        while (!stopping) {
            const Clock::time_point now = Clock::now();
            Clock::time_point next = Clock::time_point::max();
            uint32_t position = 0;
            for (auto it = entries.upper_bound(position); it != entries.end();
                 it = entries.upper_bound(position)) {
                position = it->first;
                Entry& entry = it->second;
                if (entry.due > now) {
                    next = std::min(next, entry.due);
                    continue;
                }
                // A thread that fell behind (a stalled system) ticks once and keeps the period
                // from now on: the target measures the elapsed time itself.
                entry.due = std::max(entry.due + entry.period, now + entry.period);
                next = std::min(next, entry.due);
                TimerTarget* target = entry.target;
                calling = position;
                hold.unlock();
                target->OnTimer();
                hold.lock();
                calling = 0;
                idle.notify_all();
            }
            if (stopping) break;
            if (next == Clock::time_point::max()) {
                wake.wait(hold);
            } else {
                wake.wait_until(hold, next);
            }
        }
    }

    std::mutex lifecycle;  // one Add or Remove at a time, the thread's start and join included
    std::mutex state;      // everything below
    std::condition_variable wake;  // the thread: a new target, or stop
    std::condition_variable idle;  // Remove: the call it waits for has returned
    std::map<uint32_t, Entry> entries;
    uint32_t calling = 0;  // id of the target whose OnTimer is running, 0 when none
    uint32_t lastId = 0;
    bool stopping = false;
    std::thread thread;
};

SharedTicker& Shared() {
    static SharedTicker ticker;
    return ticker;
}

}  // namespace

namespace mmtimer {

uint32_t GetTimeMs() { return timeGetTime(); }

void BeginPeriod(uint32_t resolutionMs) { timeBeginPeriod(resolutionMs); }

void EndPeriod(uint32_t resolutionMs) { timeEndPeriod(resolutionMs); }

uint32_t SetPeriodic(uint32_t periodMs, uint32_t resolutionMs, TimerTarget* target) {
    if (target == nullptr) return 0;
    const UINT id =
        timeSetEvent(periodMs, resolutionMs, TimerCallback, reinterpret_cast<DWORD_PTR>(target),
                     TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    if (id != 0) return id;
    return Shared().Add(periodMs, target);
}

void Kill(uint32_t timerId) {
    if (timerId == 0) return;
    if ((timerId & kSharedIdBit) != 0) {
        Shared().Remove(timerId);
    } else {
        timeKillEvent(timerId);
    }
}

}  // namespace mmtimer
