// Validates Arpeggiator.dll as a host would meet it: registered, created by class id through
// public COM, then put through settings, traffic, lifecycle and thread checks. Prints one line
// per check; exits 1 when any check fails.
// Usage: arpvalidate   (the module must be registered, e.g. with regsvr32)
#include "validator/Checks.h"
#include "validator/ComFilter.h"

int main() {
    // The module registers no threading model, so its objects live in the main apartment: this
    // thread. The stress check then calls them from other threads as a sequencer's engine does.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    Report report;
    CheckOpen(report);
    CheckStateRoundTrip(report);
    CheckDamagedState(report);
    CheckTraffic(report);
    CheckManyClocks(report);
    CheckThreadStress(report);
    CheckCreateDestroy(report);
    CoFreeUnusedLibrariesEx(0, 0);
    report.Check("module unloaded when unused", GetModuleHandleW(L"Arpeggiator.dll") == nullptr,
                 "");
    std::printf("validator: %d passed, %d failed\n", report.Passed(), report.Failed());
    CoUninitialize();
    return report.Failed() == 0 ? 0 : 1;
}
