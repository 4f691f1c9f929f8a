#include "pagehost/FrameWatch.h"

#include <commctrl.h>
#include <prsht.h>

#include <cwchar>

namespace {

FrameWatch* activeWatch = nullptr;

bool IsDialog(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wcscmp(name, L"#32770") == 0;
}

RECT ScreenRect(HWND window) {
    RECT rect = {};
    if (window != nullptr) GetWindowRect(window, &rect);
    return rect;
}

BOOL CALLBACK FindFrame(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || !IsDialog(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The frame holds a dialog per page, and each page object's own dialog window sits inside
// that one: the page is a dialog whose parent is a dialog other than the frame.
struct PageSearch {
    HWND frame;
    HWND page;
};

BOOL CALLBACK FindPage(HWND window, LPARAM search) {
    auto* state = reinterpret_cast<PageSearch*>(search);
    HWND parent = GetParent(window);
    if (IsWindowVisible(window) && IsDialog(window) && parent != state->frame && IsDialog(parent)) {
        state->page = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool FindFrameLayout(FrameLayout& layout) {
    HWND frame = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindFrame, reinterpret_cast<LPARAM>(&frame));
    if (frame == nullptr) return false;
    PageSearch search = {frame, nullptr};
    EnumChildWindows(frame, &FindPage, reinterpret_cast<LPARAM>(&search));
    if (search.page == nullptr) return false;
    layout.frame = frame;
    layout.page = search.page;
    layout.ok = GetDlgItem(frame, IDOK);
    layout.cancel = GetDlgItem(frame, IDCANCEL);
    layout.frameRect = ScreenRect(frame);
    layout.pageRect = ScreenRect(search.page);
    layout.okRect = ScreenRect(layout.ok);
    layout.cancelRect = ScreenRect(layout.cancel);
    return true;
}

FrameWatch::FrameWatch(OnShown shown, UINT periodMs) : onShown(std::move(shown)) {
    activeWatch = this;
    timer = SetTimer(nullptr, 0, periodMs, &FrameWatch::Tick);
}

FrameWatch::~FrameWatch() {
    if (timer != 0) KillTimer(nullptr, timer);
    activeWatch = nullptr;
}

void FrameWatch::PressButton(const FrameLayout& layout, int button) {
    PostMessageW(layout.frame, PSM_PRESSBUTTON, button == IDOK ? PSBTN_OK : PSBTN_CANCEL, 0);
}

void CALLBACK FrameWatch::Tick(HWND, UINT, UINT_PTR, DWORD) {
    FrameWatch* watch = activeWatch;
    FrameLayout layout;
    if (watch == nullptr || watch->sawPage || !FindFrameLayout(layout)) return;
    watch->sawPage = true;
    KillTimer(nullptr, watch->timer);
    watch->timer = 0;
    if (watch->onShown) watch->onShown(layout);
}
