#include "support/EditDriver.h"

#include <cstdio>
#include <thread>

#include "guisupport/RealInput.h"

namespace {

constexpr DWORD kStepLimitMs = 5000;
constexpr DWORD kGraceMs = 3000;

// The field's text and selection, read from the script thread while the editor's loop runs.
std::wstring TextOf(HWND edit) {
    wchar_t buffer[256] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 1000,
                        &ignored);
    return buffer;
}

bool AllSelected(HWND edit, size_t length) {
    DWORD start = 1;
    DWORD end = 0;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end), SMTO_BLOCK, 1000, &ignored);
    return start == 0 && end == length;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

}  // namespace

EditDriver::EditDriver(HWND parentWindow, std::vector<EditStep> steps, HWND otherWindow)
    : parent(parentWindow), other(otherWindow), script(std::move(steps)) {}

int EditDriver::Run(const std::function<int()>& edit) {
    uiThread = GetCurrentThreadId();
    finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread player([this] { Play(); });
    std::thread watchdog([this] { Watch(); });
    const int result = edit();
    SetEvent(finished);
    player.join();
    watchdog.join();
    CloseHandle(finished);
    // A WM_QUIT the watchdog posted must not end a later loop.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    failure = scriptFailure + watchFailure;
    return result;
}

HWND EditDriver::FocusedEdit() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(uiThread, &info) || !info.hwndFocus) return nullptr;
    wchar_t className[16] = {};
    GetClassNameW(info.hwndFocus, className, 16);
    const bool isEdit = _wcsicmp(className, L"Edit") == 0;
    return isEdit && GetParent(info.hwndFocus) == parent ? info.hwndFocus : nullptr;
}

void EditDriver::Play() {
    auto over = [this] { return WaitForSingleObject(finished, 0) == WAIT_OBJECT_0; };
    HWND edit = nullptr;
    if (!realinput::WaitUntil([&] { return over() || (edit = FocusedEdit()) != nullptr; },
                              kStepLimitMs) ||
        !edit) {
        scriptFailure = "the edit field never had the focus; ";
        return;
    }
    for (const EditStep& step : script) {
        if (over() || !Perform(step, edit)) return;
    }
}

bool EditDriver::Perform(const EditStep& step, HWND edit) {
    switch (step.act) {
        case EditStep::kKeys:
            realinput::Keys(step.text);
            return true;
        case EditStep::kAwaitText:
        case EditStep::kAwaitAllText: {
            const bool all = step.act == EditStep::kAwaitAllText;
            auto shown = [&] {
                return TextOf(edit) == step.text && (!all || AllSelected(edit, step.text.size()));
            };
            if (realinput::WaitUntil(shown, kStepLimitMs)) return true;
            scriptFailure = "the field did not show \"" + Narrow(step.text) +
                            (all ? "\" all selected" : "\"") + " but \"" + Narrow(TextOf(edit)) +
                            "\"; ";
            return false;
        }
        case EditStep::kClick: {
            POINT at = step.at;
            ClientToScreen(parent, &at);
            realinput::Click(at);
            return true;
        }
        case EditStep::kPostClose:
            return PostMessageW(parent, WM_CLOSE, 0, 0) != 0;
        case EditStep::kSendClose: {
            DWORD_PTR ignored = 0;
            return SendMessageTimeoutW(parent, WM_CLOSE, 0, 0, SMTO_BLOCK, kStepLimitMs,
                                       &ignored) != 0;
        }
        case EditStep::kPost:
            return PostMessageW(other, step.message, step.wParam, 0) != 0;
    }
    return false;
}

// Each stage gives the loop a way out that a working loop takes; the last one gives up.
void EditDriver::Watch() {
    if (WaitForSingleObject(finished, kLimitMs) == WAIT_OBJECT_0) return;
    watchFailure = "EditModal did not return in time; ";
    PostMessageW(parent, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(finished, kGraceMs) == WAIT_OBJECT_0) return;
    PostThreadMessageW(uiThread, WM_QUIT, 0, 0);
    if (WaitForSingleObject(finished, kGraceMs) == WAIT_OBJECT_0) return;
    std::fprintf(stderr, "EditModal's loop could not be ended: stopping the test program\n");
    std::fflush(stderr);
    ExitProcess(3);
}
