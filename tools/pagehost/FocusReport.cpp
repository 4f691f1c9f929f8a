#include "pagehost/FocusReport.h"

#include <string>

#include <oleacc.h>

namespace {

std::ostream* report = nullptr;  // one report per process: the hook has no context argument

std::string Narrow(const wchar_t* text) {
    std::string narrow;
    for (; text && *text; ++text) narrow += *text < 0x80 ? static_cast<char>(*text) : '?';
    return narrow;
}

}  // namespace

FocusReport::FocusReport(std::ostream& out) {
    report = &out;
    hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &FocusReport::OnEvent,
                           GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
}

FocusReport::~FocusReport() {
    if (hook) UnhookWinEvent(hook);
    report = nullptr;
}

// An object without a name is reported by its window's class, so that every move shows.
void CALLBACK FocusReport::OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child,
                                   DWORD, DWORD) {
    if (!report) return;
    IAccessible* accessible = nullptr;
    VARIANT which;
    VariantInit(&which);
    std::string name;
    if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                            static_cast<DWORD>(child), &accessible, &which)) &&
        accessible) {
        BSTR text = nullptr;
        if (accessible->get_accName(which, &text) == S_OK) name = Narrow(text);
        SysFreeString(text);
        accessible->Release();
    }
    VariantClear(&which);
    if (name.empty()) {
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        name = "[" + Narrow(className) + "]";
    }
    *report << "focus: " << name << std::endl;
}
