// The in-place editor's message loop. It looks at each message before taking it: one that
// would act on another window (a click, a key, a close, a menu) ends the edit and stays in
// the queue, so that the window it was meant for still gets it from the caller's loop.
#include "controls/CellPropEditCtrl.h"

#include "controls/NWControl.h"
#include "controls/NWControlSite.h"

void CCellPropEditCtrl::RunLoop() {
    while (!done) {
        MSG message;
        const bool queued = PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) != 0;
        // Messages sent from other threads are handled inside the look, and one of them may
        // have ended the edit (the parent closed): then there is nothing to wait for.
        if (done) {
            break;
        }
        if (!queued) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
            continue;
        }
        // A quit request belongs to the caller's loop: the edit is cancelled and leaves it.
        if (message.message == WM_QUIT) {
            End(false, 0);
            break;
        }
        if (EndsEdit(message)) {
            endedByOtherWindow = true;
            End(true, 0);
            break;
        }
        // Taken by window and message, so that a message posted since the look is not
        // dispatched unchecked in its place.
        if (!PeekMessageW(&message, message.hwnd, message.message, message.message, PM_REMOVE)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
        if (message.message == WM_KEYUP) {
            PassLiveText();
        }
    }
}

// Keys 43 and 45 ('+' and '-' as character codes) are let through, so that a window that
// forwards typed signs does not end the edit.
bool CCellPropEditCtrl::EndsEdit(const MSG& message) const {
    if (message.hwnd == GetSafeHwnd() || (message.hwnd && message.hwnd == spin.GetSafeHwnd())) {
        return false;
    }
    const UINT id = message.message;
    if (id == WM_SYSKEYDOWN) {
        return true;
    }
    if (id == WM_KEYDOWN || (id >= WM_DEADCHAR && id <= WM_UNICHAR)) {
        return message.wParam != 43 && message.wParam != 45;
    }
    if (id >= WM_NCLBUTTONDOWN && id <= WM_NCMBUTTONDBLCLK) {
        return true;
    }
    switch (id) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_CLOSE:
        case WM_QUERYENDSESSION:
        case WM_DESTROY:
        case WM_INITMENU:
            return true;
        default:
            return false;
    }
}

// The live-edit target is the site's captured control: the value field the edit was opened
// from, while the user still holds it.
void CCellPropEditCtrl::PassLiveText() {
    if (!liveSite || !IsWindow()) {
        return;
    }
    CNWControl* target = liveSite->GetCapturedControl();
    const std::wstring typed = GetText();
    if (!target || target->GetValueText() == typed) {
        return;
    }
    liveUpdate = 1;
    target->SetValueText(typed);
    liveSite->OnValueChanged(target);
    liveUpdate = 0;
    if (focusLostDuringLiveUpdate && !done && IsWindow()) {
        focusLostDuringLiveUpdate = false;
        SetFocus(GetSafeHwnd());
    }
}
