// The page's window: its dialog initialisation, its message map, the mouse routed to the
// controls through the site, and the chord notification.
#include <string>
#include <utility>

#include "controls/NWAccessibility.h"
#include "controls/NWControl.h"
#include "controls/NWEditControl.h"
#include "editor/ArpeggiatorPage.h"

#include <windowsx.h>

namespace {

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

UINT KeyFlagsOf(WPARAM wParam) { return static_cast<UINT>(wParam); }

}  // namespace

// The site keeps the name it always had, whatever its container: the tests know it.
void ArpeggiatorPage::SetSiteName() {
    NameSite("ArpeggiatorPropPage", "ArpeggiatorPage::SetSiteName");
}

void ArpeggiatorPage::InvalidateHost() {
    if (GetSafeHwnd() != nullptr) Invalidate(true);
}

void ArpeggiatorPage::ClientToScreen(POINT& point) const {
    if (GetSafeHwnd() != nullptr) CWindow::ClientToScreen(point);
}

void ArpeggiatorPage::ScreenToClient(POINT& point) const {
    if (GetSafeHwnd() != nullptr) CWindow::ScreenToClient(point);
}

CWindow* ArpeggiatorPage::GetHostWnd() const { return const_cast<ArpeggiatorPage*>(this); }

// The controls were made with the page, before its window: the site hooks the window now,
// once the controls are in place, so that their tooltips cover their real rectangles.
BOOL ArpeggiatorPage::OnInitDialog() {
    postTarget = GetSafeHwnd();
    RefreshAllControls();
    LayoutControls();
    HookHostWindow();
    EnableKeyboard();
    initDone = 1;
    return TRUE;
}

BOOL ArpeggiatorPage::OnCommand(WPARAM wParam, LPARAM) {
    if (initDone == 0 || shown == 0) return FALSE;
    if (deactivating != 0) return FALSE;
    if (HIWORD(wParam) == HIWORD(ChordNotifyCode)) ShowChordText();
    return RouteCommand(wParam) ? TRUE : FALSE;
}

// The two drop-downs' menu items; a command from a menu carries 0 in its high word.
bool ArpeggiatorPage::RouteCommand(WPARAM wParam) {
    if (HIWORD(wParam) != 0) return false;
    const UINT id = LOWORD(wParam);
    if (id >= kFirstPathCommand && id < kFirstPathCommand + 4) {
        OnPathCommand(id);
        return true;
    }
    if (id >= kFirstUnitsCommand && id < kFirstUnitsCommand + 3) {
        OnUnitsCommand(id);
        return true;
    }
    return false;
}

// The latest chord text, which may already be newer than the one the engine posted for.
void ArpeggiatorPage::ShowChordText() {
    if (model == nullptr) return;
    chordDisplay->SetValueText(model->ChordName());
    // Besides the value change every text change raises: the display is a live region, so a
    // reader announces the new chord wherever the focus is.
    CNWAccessibility::NotifyControlEvent(EVENT_OBJECT_LIVEREGIONCHANGED, *chordDisplay);
    InvalidateHost();
}

LRESULT ArpeggiatorPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return TRUE;  // painting covers every pixel
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_PRINTCLIENT:
            OnPrintClient(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_SETFOCUS:
            TakeKeyboardFocus();  // the frame gives the page the focus: its controls take it
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnLButtonDown(message, KeyFlagsOf(wParam), PointOf(lParam));
            break;
        case WM_LBUTTONUP:
            OnLButtonUp(KeyFlagsOf(wParam), PointOf(lParam));
            break;
        case WM_CAPTURECHANGED:
            EndDrag();  // a menu or another window took the mouse: no release will come
            break;
        case WM_MOUSEMOVE:
            OnMouseMove(KeyFlagsOf(wParam), PointOf(lParam));
            if (GetCapturedControl() != nullptr) return 0;
            break;
        default:
            return CDialog::WindowProc(message, wParam, lParam);
    }
    return Default(message, wParam, lParam);
}

// A press or a double-click: the page takes the mouse, and the control under the point (if
// enabled) gets the press.
void ArpeggiatorPage::OnLButtonDown(UINT message, UINT keyFlags, POINT point) {
    SetKeyboardCues(false);
    TakeKeyboardFocus();
    SetCapture(GetSafeHwnd());
    CNWControl* control = CaptureControlAt(point);
    if (control == nullptr || !control->IsEnabled()) return;
    if (!dragging) BeginGesture();
    dragging = true;
    if (message == WM_LBUTTONDBLCLK) {
        control->OnLButtonDblClk(keyFlags, point);
    } else {
        control->OnLButtonDown(keyFlags, point);
    }
}

// The press's gesture stays open through the release, which may still change the value (a
// button toggles on it), although releasing the capture reports the mouse lost first.
void ArpeggiatorPage::OnLButtonUp(UINT keyFlags, POINT point) {
    const bool pressed = std::exchange(dragging, false);
    ReleaseCapture();
    CNWControl* control = GetCapturedControl();
    if (control == nullptr || !control->IsPressed()) {
        control = CaptureControlAt(point);
        if (control != nullptr && !control->IsEnabled()) control = nullptr;
    }
    if (control != nullptr) control->OnLButtonUp(keyFlags, point);
    if (pressed) EndGesture();
}

void ArpeggiatorPage::EndDrag() {
    if (!dragging) return;
    dragging = false;
    EndGesture();
}

void ArpeggiatorPage::OnMouseMove(UINT keyFlags, POINT point) {
    UpdateHover(point);
    if (CNWControl* captured = GetCapturedControl()) captured->OnMouseMove(keyFlags, point);
}

// The base's handling first (the dialog's own); then the skin goes, and with the window the
// engine's target for chord notifications.
void ArpeggiatorPage::OnDestroy() {
    postTarget = nullptr;
    EndDrag();
    Default(WM_DESTROY, 0, 0);
    if (skinBitmap != nullptr) DeleteObject(skinBitmap);
    skinBitmap = nullptr;
}
