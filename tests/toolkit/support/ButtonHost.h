// A TestHost that also answers as the editor page does for buttons, drop-downs and value
// fields: it logs the actions, fills and tracks the drop-down's menu at the control's left
// edge one pixel below it (screen coordinates, flags 0, the window as owner) and logs the
// menu commands (WM_COMMAND from no control) and WM_VSCROLL that reach its window.
#pragma once

#include <string>
#include <vector>

#include "support/TestHost.h"

class ButtonHost : public TestHost {
public:
    // The page's first drop-down uses command ids 32771 to 32774.
    static constexpr UINT kFirstCommand = 32771;

    using TestHost::TestHost;

    void OnControlAction(CNWControl* control, UINT keyFlags) override;
    void OnControlMenu(CNWControl* control, UINT flags, CMenu& menu) override;
    void OnValueChanged(CNWControl* control) override;
    void OnTrackingEnd() override { log += log.empty() ? "tracking" : ", tracking"; }

    // Where the last menu was tracked, in screen coordinates.
    POINT menuPoint = {-1, -1};
    // Left-button releases that reached the window.
    int buttonUps = 0;
    // The value of every OnValueChanged, in order.
    std::vector<double> notifiedValues;
    // Off: the menu is filled and recorded but not tracked (tracking waits for the user).
    bool trackMenus = true;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
