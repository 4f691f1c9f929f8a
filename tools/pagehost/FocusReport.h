// --report-focus: pagehost prints "focus: NAME" each time the keyboard focus moves to an
// accessible object of its windows (the page's controls, the frame's buttons), as a screen
// reader hears it: a WinEvent hook for EVENT_OBJECT_FOCUS and the object's Active
// Accessibility name. The hook runs out of context, on this thread, while the frame's modal
// loop pumps messages.
// [ui thread]
#pragma once

#include <ostream>

#include <windows.h>

class FocusReport {
public:
    explicit FocusReport(std::ostream& out);
    ~FocusReport();
    FocusReport(const FocusReport&) = delete;
    FocusReport& operator=(const FocusReport&) = delete;

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time);

    HWINEVENTHOOK hook = nullptr;
};
