#include "shell/ModuleCounters.h"

AtomicCounter liveObjectCount;
AtomicCounter serverLockCount;
