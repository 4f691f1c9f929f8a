#pragma once

#include "platform/RecursiveLock.h"

// Holds a RecursiveLock for one scope, released on every path out of it.
class ScopedLock {
public:
    explicit ScopedLock(RecursiveLock& lock) : held(lock) { held.Enter(); }
    ~ScopedLock() { held.Leave(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    RecursiveLock& held;
};
