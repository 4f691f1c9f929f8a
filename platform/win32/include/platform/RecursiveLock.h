// The filter's one lock: a critical section, recursive, because persistence holds it while
// the editor page's refresh takes it again on the same thread.
#pragma once

#include "platform/ComTypes.h"

class RecursiveLock {
public:
    RecursiveLock() { InitializeCriticalSection(&section); }
    ~RecursiveLock() { DeleteCriticalSection(&section); }
    RecursiveLock(const RecursiveLock&) = delete;
    RecursiveLock& operator=(const RecursiveLock&) = delete;

    void Enter() { EnterCriticalSection(&section); }
    void Leave() { LeaveCriticalSection(&section); }

private:
    CRITICAL_SECTION section;
};
