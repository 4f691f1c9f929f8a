// The filter's one lock: recursive, because persistence holds it while the editor page's
// refresh takes it again on the same thread.
#pragma once

#include <mutex>

class RecursiveLock {
public:
    RecursiveLock() = default;
    RecursiveLock(const RecursiveLock&) = delete;
    RecursiveLock& operator=(const RecursiveLock&) = delete;

    void Enter() { mutex.lock(); }
    void Leave() { mutex.unlock(); }

private:
    std::recursive_mutex mutex;
};
