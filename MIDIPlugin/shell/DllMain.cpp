// The module's entry point. It only keeps the instance handle: everything else is created on
// first request, so that loading the module into a host costs nothing.
#include "shell/ModuleInstance.h"

namespace {
HINSTANCE moduleInstance = nullptr;
}  // namespace

HINSTANCE ModuleInstance() { return moduleInstance; }

// Runs under the loader lock: no COM, no other module, no waiting.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) moduleInstance = instance;
    return TRUE;
}
