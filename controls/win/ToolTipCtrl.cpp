#include "controls/win/ToolTipCtrl.h"

namespace {

void EnsureCommonControls() {
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&controls) != 0;
    }();
    (void)initialised;
}

}  // namespace

bool CToolTipCtrl::Create(HWND owner) {
    EnsureCommonControls();
    const RECT none = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                  none, owner, 0)) {
        return false;
    }
    SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

TOOLINFOW CToolTipCtrl::Tool(HWND owner, UINT_PTR id) const {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = owner;
    tool.uId = id;
    return tool;
}

bool CToolTipCtrl::AddCallbackTool(HWND owner, UINT_PTR id, const RECT& rect) {
    TOOLINFOW tool = Tool(owner, id);
    tool.uFlags = TTF_SUBCLASS;
    tool.rect = rect;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

void CToolTipCtrl::DelTool(HWND owner, UINT_PTR id) {
    TOOLINFOW tool = Tool(owner, id);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CToolTipCtrl::SetToolRect(HWND owner, UINT_PTR id, const RECT& rect) {
    TOOLINFOW tool = Tool(owner, id);
    tool.rect = rect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool CToolTipCtrl::HasTool(HWND owner, UINT_PTR id) const {
    TOOLINFOW tool = Tool(owner, id);
    return SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

void CToolTipCtrl::TrackShow(HWND owner, const std::wstring& text, POINT screenPoint) {
    if (!tracking) {
        TOOLINFOW tool = Tool(owner, kTrackingToolId);
        tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        tool.lpszText = const_cast<wchar_t*>(text.c_str());
        SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        tracking = true;
    }
    TrackUpdate(owner, text, screenPoint);
    TOOLINFOW tool = Tool(owner, kTrackingToolId);
    SendMessage(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void CToolTipCtrl::TrackUpdate(HWND owner, const std::wstring& text, POINT screenPoint) {
    if (!tracking) {
        return;
    }
    TOOLINFOW tool = Tool(owner, kTrackingToolId);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(screenPoint.x, screenPoint.y));
}

void CToolTipCtrl::TrackHide(HWND owner) {
    if (!tracking) {
        return;
    }
    TOOLINFOW tool = Tool(owner, kTrackingToolId);
    SendMessage(TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    tracking = false;
}
