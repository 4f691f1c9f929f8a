#include "support/TestHost.h"

#include <cmath>

#include "controls/WMemDC.h"
#include "controls/win/Menu.h"
#include "controls/win/PaintDC.h"

void Record(std::string& log, const char* what, const CNWControl* control) {
    log += (log.empty() ? "" : ", ") + (what + (" " + std::to_string(control->GetId())));
}

void TestControl::Draw(CDC& dc) {
    ++drawCount;
    dc.FillSolidRect(rect, color);
    CNWControl::Draw(dc);
}

void TestControl::OnMouseEnter() {
    Record(log, "enter", this);
    CNWControl::OnMouseEnter();
}

void TestControl::OnMouseLeave() {
    Record(log, "leave", this);
    CNWControl::OnMouseLeave();
}

TestHost::TestHost(bool withWindow) {
    if (withWindow) {
        CreateEx(WS_EX_TOOLWINDOW, nullptr, L"toolkit test", WS_POPUP,
                 {60, 60, 60 + kWidth, 60 + kHeight}, nullptr, 0);
        ShowWindow(SW_SHOWNOACTIVATE);
        UpdateWindow(GetSafeHwnd());
    }
}

// The window goes first, so that the site releases what it holds for it while it is whole.
TestHost::~TestHost() {
    DestroyWindow();
    DeleteAllControls();
}

TestControl* TestHost::Add(const RECT& rect, COLORREF color, int inTabOrder, int makeFocus) {
    auto* control = new TestControl(*this, log, color);
    control->SetRect(rect);
    AddControl(control, inTabOrder, makeFocus);
    return control;
}

void TestHost::OnControlMenu(CNWControl* control, UINT flags, CMenu& menu) {
    lastMenu = menu.GetSafeHmenu();
    Record(log, "menu", control);
    log += " flags " + std::to_string(flags) + " items " + std::to_string(menu.GetMenuItemCount());
}

void TestHost::GetValueText(CNWControl* control, std::wstring& text, int) {
    Record(log, "text", control);
    text = std::to_wstring(std::lround(control->GetValue() * 100)) + L"%";
}

void TestHost::OnControlsChanged() {
    CNWControlSite::OnControlsChanged();
    log += log.empty() ? "changed" : ", changed";
}

// The editor page's routing of mouse input, and its painting through a memory DC.
LRESULT TestHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const auto keys = static_cast<UINT>(wParam);
    CNWControl* control = GetCapturedControl();
    if (message == WM_ERASEBKGND) return TRUE;
    if (message == WM_PAINT) {
        CPaintDC dc(GetSafeHwnd());
        CWMemDC memory(dc);
        memory.FillSolidRect(GetClientRect(), background);
        DrawControls(memory);
        return 0;
    }
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        SetCapture(GetSafeHwnd());
        control = CaptureControlAt(point);
        if (control && control->IsEnabled()) {
            Record(log, message == WM_LBUTTONDOWN ? "down" : "dblclk", control);
            if (message == WM_LBUTTONDOWN) control->OnLButtonDown(keys, point);
            if (message == WM_LBUTTONDBLCLK) control->OnLButtonDblClk(keys, point);
        }
    } else if (message == WM_LBUTTONUP) {
        ReleaseCapture();
        if (!control || !control->IsPressed()) control = CaptureControlAt(point);
        if (control && (control->IsPressed() || control->IsEnabled())) {
            Record(log, "up", control);
            control->OnLButtonUp(keys, point);
        }
    } else if (message == WM_MOUSEMOVE) {
        UpdateHover(point);
        if (control) {
            Record(log, "move", control);
            control->OnMouseMove(keys, point);
            return 0;
        }
    }
    return Default(message, wParam, lParam);
}
