// The module's own instance handle, kept by DllMain. The string table and the module path are
// always looked up through it, never through the host's executable, which has resources of
// its own under the same ids.
#pragma once

#include "platform/ComTypes.h"

// [any thread] Valid from the module's load to its unload.
HINSTANCE ModuleInstance();
