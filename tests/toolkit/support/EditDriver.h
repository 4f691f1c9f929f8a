// Drives a modal in-place edit with real input. The test's thread runs EditModal, whose loop
// owns the windows; a script thread waits for the edit field to take the focus and then plays
// its steps (keys and clicks through SendInput, waits on what the field shows, closes). A
// watchdog ends a loop that does not end by itself: it posts WM_CLOSE to the parent, then
// WM_QUIT, and at last stops the program, so that a broken loop fails the test and never
// hangs it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/win/Win32.h"

struct EditStep {
    enum Act {
        kKeys,          // realinput::Keys(text)
        kAwaitText,     // the field shows `text`
        kAwaitAllText,  // the field shows `text`, all of it selected
        kClick,         // the real mouse clicks `at` (the parent's client coordinates)
        kPostClose,     // WM_CLOSE posted to the parent
        kSendClose,     // WM_CLOSE sent to the parent (handled inside the editor's loop)
        kPost,          // `message` with `wParam` posted to `other`
    };
    Act act;
    std::wstring text;
    POINT at = {0, 0};
    UINT message = 0;
    WPARAM wParam = 0;
};

namespace steps {
inline EditStep Keys(const wchar_t* keys) { return {EditStep::kKeys, keys}; }
inline EditStep AwaitText(const wchar_t* text) { return {EditStep::kAwaitText, text}; }
inline EditStep AwaitAllText(const wchar_t* text) { return {EditStep::kAwaitAllText, text}; }
inline EditStep Click(POINT at) { return {EditStep::kClick, L"", at}; }
inline EditStep PostClose() { return {EditStep::kPostClose, L""}; }
inline EditStep SendClose() { return {EditStep::kSendClose, L""}; }
inline EditStep Post(UINT message, WPARAM wParam) {
    return {EditStep::kPost, L"", {0, 0}, message, wParam};
}
}  // namespace steps

class EditDriver {
public:
    static constexpr DWORD kLimitMs = 10000;

    EditDriver(HWND parent, std::vector<EditStep> script, HWND other = nullptr);

    // Runs `edit` here while the script plays; the result is edit's.
    int Run(const std::function<int()>& edit);

    // What went wrong (the script could not go on, the loop had to be ended), or empty.
    std::string failure;

private:
    void Play();
    bool Perform(const EditStep& step, HWND edit);
    void Watch();
    HWND FocusedEdit() const;

    HWND parent;
    HWND other;
    std::vector<EditStep> script;
    DWORD uiThread = 0;
    HANDLE finished = nullptr;
    std::string scriptFailure;
    std::string watchFailure;
};
