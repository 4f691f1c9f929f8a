// A TestHost that also answers as the editor page does for buttons, drop-downs and value
// fields: it logs the actions, fills the drop-down's menu (never tracked: that waits for the
// user) and logs the WM_VSCROLL that reach its window.
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

    // The value of every OnValueChanged, in order.
    std::vector<double> notifiedValues;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
