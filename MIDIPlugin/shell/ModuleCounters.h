// The two module-wide counts that decide whether the host may unload the module.
#pragma once

#include "platform/AtomicCounter.h"

// Filters and editor pages in existence.
extern AtomicCounter liveObjectCount;
// Balance of LockServer calls on either class factory.
extern AtomicCounter serverLockCount;
