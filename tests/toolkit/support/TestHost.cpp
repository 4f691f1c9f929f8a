#include "support/TestHost.h"

#include <cmath>

#include "controls/AutoDCRestorer.h"
#include "controls/WMemDC.h"
#include "controls/win/Menu.h"
#include "controls/win/PaintDC.h"

TestHost::TestHost(bool withWindow) {
    if (withWindow) {
        CreateEx(WS_EX_TOOLWINDOW, nullptr, L"toolkit test", WS_POPUP,
                 {60, 60, 60 + kWidth, 60 + kHeight}, nullptr, 0);
        ShowWindow(SW_SHOWNOACTIVATE);
        UpdateWindow(GetSafeHwnd());
    }
}

// Destroying the window first lets the site release what it holds for it (WM_DESTROY) while
// the site is whole; then the controls go.
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

LRESULT TestHost::Mouse(UINT message, int x, int y, WPARAM keyFlags) {
    return SendMessage(message, keyFlags, MAKELPARAM(x, y));
}

void TestHost::Paint(CDC& target) {
    CWMemDC memory(target);
    CAutoDCRestorer restorer(memory, 255);
    memory.FillSolidRect(GetClientRect(), background);
    DrawControls(memory);
    ++paintCount;
}

std::vector<std::string> TestHost::TakeLog() {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
}

void TestHost::SetSiteName() {
    NameSite("tests/toolkit/support/TestHost.cpp", "TestHost::SetSiteName");
}

void TestHost::Record(const char* what, const CNWControl* control) {
    log.push_back(std::string(what) + " " + std::to_string(control ? control->GetId() : 0));
}

void TestHost::OnTrackingEnd() { log.push_back("tracking-end"); }

void TestHost::OnControlMenu(CNWControl* control, UINT flags, CMenu& menu) {
    lastMenu = menu.GetSafeHmenu();
    log.push_back("menu " + std::to_string(control->GetId()) + " flags " + std::to_string(flags) +
                  " items " + std::to_string(menu.GetMenuItemCount()));
}

void TestHost::OnControlAction(CNWControl* control, UINT) { Record("action", control); }

void TestHost::UpdateControl(CNWControl* control) { Record("update", control); }

void TestHost::OnValueChanged(CNWControl* control) { Record("value", control); }

void TestHost::OnBeginChange(CNWControl* control) { Record("begin", control); }

void TestHost::OnEndChange(CNWControl* control) { Record("end", control); }

void TestHost::GetValueText(CNWControl* control, std::wstring& text, int) {
    Record("text", control);
    text = std::to_wstring(std::lround(control->GetValue() * 100)) + L"%";
}

void TestHost::OnControlStateChanged(CNWControl* control) { Record("state", control); }

void TestHost::OnControlsChanged() {
    CNWControlSite::OnControlsChanged();
    log.push_back("changed");
}

// The editor page's routing of mouse input, and its painting.
LRESULT TestHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const auto keyFlags = static_cast<UINT>(wParam);
    switch (message) {
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT: {
            CPaintDC dc(GetSafeHwnd());
            Paint(dc);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            SetCapture(GetSafeHwnd());
            CNWControl* control = CaptureControlAt(point);
            if (control && control->IsEnabled()) {
                if (message == WM_LBUTTONDOWN) {
                    control->OnLButtonDown(keyFlags, point);
                } else {
                    control->OnLButtonDblClk(keyFlags, point);
                }
            }
            break;
        }
        case WM_LBUTTONUP: {
            ReleaseCapture();
            CNWControl* control = GetCapturedControl();
            if (control && control->IsPressed()) {
                control->OnLButtonUp(keyFlags, point);
            } else {
                control = CaptureControlAt(point);
                if (control && control->IsEnabled()) {
                    control->OnLButtonUp(keyFlags, point);
                }
            }
            break;
        }
        case WM_MOUSEMOVE:
            UpdateHover(point);
            if (CNWControl* control = GetCapturedControl()) {
                control->OnMouseMove(keyFlags, point);
                return 0;
            }
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}
