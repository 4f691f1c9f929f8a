#include "controls/CellSpinCtrl.h"

#include "controls/PropEditCtrl.h"

namespace {

// Auto-repeat while a button is held: a first pause, then a steady rate.
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 80;

}  // namespace

bool CCellSpinCtrl::Create(HWND parent, const RECT& rect, CPropEditCtrl& editor) {
    target = &editor;
    return CreateEx(0, nullptr, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, rect, parent, 0);
}

RECT CCellSpinCtrl::ButtonRect(int button) const {
    const RECT client = GetClientRect();
    const LONG middleX = client.right / 2;
    const LONG middleY = client.bottom / 2;
    const bool right = button >= 2;
    const bool lower = (button % 2) == 1;
    return {right ? middleX : 0, lower ? middleY : 0, right ? client.right : middleX,
            lower ? client.bottom : middleY};
}

int CCellSpinCtrl::ButtonAt(POINT point) const {
    for (int button = 0; button < 4; ++button) {
        const RECT area = ButtonRect(button);
        if (PtInRect(&area, point)) {
            return button;
        }
    }
    return -1;
}

void CCellSpinCtrl::Press(int button) {
    pressed = button;
    Invalidate(false);
    if (button >= 0 && target) {
        target->StepText(kKeys[button]);
    }
}

// The spin never takes the focus or activates anything: the edit field keeps the keyboard.
LRESULT CCellSpinCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetCapture(GetSafeHwnd());
            Press(ButtonAt(point));
            SetTimer(GetSafeHwnd(), kRepeatTimer, kFirstRepeatMs, nullptr);
            return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer && pressed >= 0) {
                SetTimer(GetSafeHwnd(), kRepeatTimer, kRepeatMs, nullptr);
                Press(pressed);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            KillTimer(GetSafeHwnd(), kRepeatTimer);
            if (GetCapture() == GetSafeHwnd()) ReleaseCapture();
            pressed = -1;
            Invalidate(false);
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return CWindow::WindowProc(message, wParam, lParam);
    }
}

void CCellSpinCtrl::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(GetSafeHwnd(), &paint);
    for (int button = 0; button < 4; ++button) {
        DrawButton(dc, button);
    }
    EndPaint(GetSafeHwnd(), &paint);
}

// One triangle for a step of one, two stacked for a step of ten.
void CCellSpinCtrl::DrawButton(HDC dc, int button) const {
    RECT area = ButtonRect(button);
    DrawFrameControl(dc, &area, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (button == pressed ? DFCS_PUSHED : 0));
    const bool up = (button % 2) == 0;
    const int arrows = button >= 2 ? 2 : 1;
    const LONG centreX = (area.left + area.right) / 2;
    const LONG height = (area.bottom - area.top) / (arrows + 1);
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNTEXT));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (int i = 0; i < arrows; ++i) {
        const LONG top = area.top + height / 2 + i * height + 1;
        const LONG bottom = top + height - 1;
        const LONG half = (bottom - top) + 1;
        const POINT corners[] = {{centreX - half, up ? bottom : top},
                                 {centreX + half, up ? bottom : top},
                                 {centreX, up ? top : bottom}};
        Polygon(dc, corners, 3);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}
