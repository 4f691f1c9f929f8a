// The two module-wide counts that decide whether the host may unload the module. They live
// below the engine and the shell because both change them: the filter and the page count
// themselves, the class factories count LockServer, the exports read both. One definition per
// module (inline variables).
#pragma once

#include "platform/AtomicCounter.h"

// Filters and editor pages in existence.
inline AtomicCounter liveObjectCount;
// Balance of LockServer calls on either class factory.
inline AtomicCounter serverLockCount;
