// A screen reader's view of the editor page, as a small Windows program: it asks the window at
// a screen point for its Active Accessibility client object (AccessibleObjectFromWindow, the
// call readers make), prints its name ("page | NAME") and every child as
// "name | role | value | states", and sets values or
// triggers default actions as a reader does on the user's behalf.
//
//   PageReader X Y [--set NAME=VALUE]... [--do NAME]... [--wait-chord EVENT]
//
// --set prints "set NAME: ok" or "set NAME: refused"; --do prints "do NAME: ok". NAME is the
// first child with that name. --wait-chord listens for the page's live-region event, sets the
// named EVENT (pagehost --chord-on-signal then plays a chord) and prints "chord: VALUE" with the
// value of the object the event names, or "chord: none" when no event came within 15 s.
// Exit code 0, or 1 when the page could not be reached.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include <oleacc.h>

namespace {

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

VARIANT Child(long id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// Takes `text` by reference: the call that fills it must run before it is read.
std::wstring TakeText(HRESULT hr, BSTR& text) {
    std::wstring result = hr == S_OK && text ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    text = nullptr;
    return result;
}

std::wstring NameOf(IAccessible* page, long id) {
    BSTR text = nullptr;
    const HRESULT hr = page->get_accName(Child(id), &text);
    return TakeText(hr, text);
}

std::wstring ValueOf(IAccessible* page, long id) {
    BSTR text = nullptr;
    const HRESULT hr = page->get_accValue(Child(id), &text);
    return TakeText(hr, text);
}

std::string RoleOf(IAccessible* page, long id) {
    VARIANT role;
    VariantInit(&role);
    if (FAILED(page->get_accRole(Child(id), &role)) || role.vt != VT_I4) return "?";
    // The role texts of Windows; Wine's own differ for some roles.
    // clang-format off
    const std::pair<long, const char*> names[] = {
        {ROLE_SYSTEM_PUSHBUTTON, "push button"},
        {ROLE_SYSTEM_CHECKBUTTON, "check box"},
        {ROLE_SYSTEM_COMBOBOX, "combo box"},
        {ROLE_SYSTEM_SLIDER, "slider"},
        {ROLE_SYSTEM_TEXT, "editable text"},
        {ROLE_SYSTEM_STATICTEXT, "text"},
    };
    // clang-format on
    for (const auto& [each, name] : names)
        if (role.lVal == each) return name;
    return "role " + std::to_string(role.lVal);
}

std::string StatesOf(IAccessible* page, long id) {
    VARIANT state;
    VariantInit(&state);
    if (FAILED(page->get_accState(Child(id), &state)) || state.vt != VT_I4) return "?";
    const struct {
        long bit;
        const char* name;
    } names[] = {{STATE_SYSTEM_FOCUSABLE, "focusable"},
                 {STATE_SYSTEM_FOCUSED, "focused"},
                 {STATE_SYSTEM_CHECKED, "checked"},
                 {STATE_SYSTEM_UNAVAILABLE, "unavailable"}};
    std::string states;
    for (const auto& each : names) {
        if ((state.lVal & each.bit) == 0) continue;
        states += states.empty() ? "" : " ";
        states += each.name;
    }
    return states;
}

long FindChild(IAccessible* page, long count, const std::wstring& name) {
    for (long id = 1; id <= count; ++id) {
        if (NameOf(page, id) == name) return id;
    }
    return 0;
}

// The live-region event arrives through this thread's message queue (an out-of-context hook),
// so the wait pumps messages instead of sleeping.
HWND chordWindow = nullptr;
LONG chordChild = 0;

void CALLBACK OnLiveRegion(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG child, DWORD, DWORD) {
    chordWindow = window;
    chordChild = child;
}

void WaitForChord(DWORD processId, const std::wstring& eventName) {
    constexpr ULONGLONG kLimitMs = 15000;
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                        &OnLiveRegion, processId, 0, WINEVENT_OUTOFCONTEXT);
    if (HANDLE signal = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName.c_str())) {
        SetEvent(signal);
        CloseHandle(signal);
    }
    const ULONGLONG end = GetTickCount64() + kLimitMs;
    while (chordWindow == nullptr && GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    if (hook) UnhookWinEvent(hook);
    IAccessible* display = nullptr;
    VARIANT child;
    VariantInit(&child);
    if (chordWindow == nullptr ||
        FAILED(AccessibleObjectFromEvent(chordWindow, static_cast<DWORD>(OBJID_CLIENT),
                                         static_cast<DWORD>(chordChild), &display, &child))) {
        std::printf("chord: none\n");
        return;
    }
    BSTR text = nullptr;
    const HRESULT hr = display->get_accValue(child, &text);
    std::printf("chord: %s\n", Narrow(TakeText(hr, text)).c_str());
    display->Release();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: PageReader X Y [--set NAME=VALUE]... [--do NAME]...\n");
        return 2;
    }
    CoInitialize(nullptr);
    const POINT point = {std::atoi(argv[1]), std::atoi(argv[2])};
    HWND window = WindowFromPoint(point);
    IAccessible* page = nullptr;
    if (!window || FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                                     __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(&page)))) {
        std::fprintf(stderr, "PageReader: no accessible object at %ld,%ld\n", point.x, point.y);
        return 1;
    }
    std::printf("page | %s\n", Narrow(NameOf(page, CHILDID_SELF)).c_str());
    long count = 0;
    page->get_accChildCount(&count);
    for (long id = 1; id <= count; ++id) {
        std::printf("%s | %s | %s | %s\n", Narrow(NameOf(page, id)).c_str(),
                    RoleOf(page, id).c_str(), Narrow(ValueOf(page, id)).c_str(),
                    StatesOf(page, id).c_str());
    }
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string argument = argv[i + 1];
        if (option == "--set") {
            const size_t equals = argument.find('=');
            const std::string name = argument.substr(0, equals);
            const long id = FindChild(page, count, Wide(name));
            BSTR value = SysAllocString(Wide(argument.substr(equals + 1)).c_str());
            const HRESULT hr = id ? page->put_accValue(Child(id), value) : E_INVALIDARG;
            SysFreeString(value);
            std::printf("set %s: %s\n", name.c_str(), hr == S_OK ? "ok" : "refused");
        } else if (option == "--do") {
            const long id = FindChild(page, count, Wide(argument));
            const HRESULT hr = id ? page->accDoDefaultAction(Child(id)) : E_INVALIDARG;
            std::printf("do %s: %s\n", argument.c_str(), hr == S_OK ? "ok" : "refused");
        } else if (option == "--wait-chord") {
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            WaitForChord(processId, Wide(argument));
        }
        std::fflush(stdout);
    }
    page->Release();
    CoUninitialize();
    return 0;
}
