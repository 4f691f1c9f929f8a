#include "controls/NWKeyboardWindow.h"

#include "controls/NWControl.h"
#include "controls/NWControlSite.h"

bool CNWKeyboardWindow::Create(HWND host) {
    constexpr UINT_PTR kKeyboardWindowId = 0x4E57;  // unused by the host's own children
    return CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, {0, 0, 0, 0}, host,
                    kKeyboardWindowId);
}

UINT CNWKeyboardWindow::HeldModifiers() {
    UINT modifiers = 0;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= CNWControl::kShiftKey;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= CNWControl::kControlKey;
    if (GetKeyState(VK_MENU) < 0) modifiers |= CNWControl::kAltKey;
    return modifiers;
}

// Arrows and characters are always the controls'; Tab only while a control lies that way;
// Enter only where the focused control uses it. Escape, and Enter elsewhere, stay with the
// dialog (its Cancel and default buttons).
LRESULT CNWKeyboardWindow::DialogCode(const MSG* message) const {
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (message == nullptr || message->message != WM_KEYDOWN) return code;
    if (message->wParam == VK_TAB && site.HasNextTabStop(GetKeyState(VK_SHIFT) < 0)) {
        code |= DLGC_WANTTAB;
    }
    if (message->wParam == VK_RETURN && site.WantsEnter(site.GetCapturedControl())) {
        code |= DLGC_WANTMESSAGE;
    }
    return code;
}

// Tabbed into from the dialog: the first control, or the last with Shift. Otherwise (the
// frame's first focus, a click, the frame coming back to the front) the control that had the
// focus keeps it, and the first one takes it when none had.
void CNWKeyboardWindow::OnSetFocus() {
    const bool tabbed = GetKeyState(VK_TAB) < 0;
    if (tabbed) site.SetKeyboardCues(true);
    if (tabbed || site.GetCapturedControl() == nullptr) {
        site.SetKeyboardControl(nullptr);
        site.MoveKeyboardFocus(tabbed && GetKeyState(VK_SHIFT) < 0);
    } else {
        site.SetKeyboardControl(site.GetCapturedControl());
    }
}

LRESULT CNWKeyboardWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            return DialogCode(reinterpret_cast<const MSG*>(lParam));
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case WM_KILLFOCUS:
            site.InvalidateControl(site.GetCapturedControl(), nullptr);  // the cue goes
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (site.HandleKey(static_cast<UINT>(wParam), HeldModifiers())) return 0;
            break;
        case WM_CHAR:
            return 0;  // the keys did it all; no beep for a space
        case WM_MOUSEWHEEL:
            if (site.RouteWheel(wParam, lParam)) return 0;
            break;
        case WM_GETOBJECT:
            // The site's accessible object lives on the host window.
            return ::SendMessageW(GetParent(GetSafeHwnd()), message, wParam, lParam);
        default:
            break;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}
