#include "support/ButtonHost.h"

#include "controls/win/Menu.h"

void ButtonHost::OnControlAction(CNWControl* control, UINT keyFlags) {
    Record(log, "action", control);
    log += " keys " + std::to_string(keyFlags);
}

void ButtonHost::OnValueChanged(CNWControl* control) {
    TestHost::OnValueChanged(control);
    notifiedValues.push_back(control->GetValue());
}

void ButtonHost::OnControlMenu(CNWControl* control, UINT flags, CMenu& menu) {
    for (UINT id = kFirstCommand; id < kFirstCommand + 4; ++id) {
        menu.AppendMenu(MF_STRING, id, (L"Item " + std::to_wstring(id)).c_str());
    }
    TestHost::OnControlMenu(control, flags, menu);
}

LRESULT ButtonHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL) {
        log += (log.empty() ? "vscroll " : ", vscroll ") + std::to_string(LOWORD(wParam));
        return 0;
    }
    return TestHost::WindowProc(message, wParam, lParam);
}
