// The dialog window class: built from a template in the resource module, initialised through
// OnInitDialog with its window in place, commands routed to OnCommand, and usable as a site's
// host window.
#include <gtest/gtest.h>

#include <vector>

#include "TestResourceIds.h"
#include "controls/NWSiteRegistry.h"
#include "controls/win/Dialog.h"
#include "support/TestHost.h"

namespace {

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_TEST_DIALOG) {}

    bool windowAtInit = false;
    std::vector<WPARAM> commands;

protected:
    BOOL OnInitDialog() override {
        windowAtInit = IsWindow() && FromHandle(GetSafeHwnd()) == this;
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        commands.push_back(wParam);
        return LOWORD(wParam) == 100;
    }
};

// A site whose host window is a dialog, as the editor page is.
class DialogSite : public TestHost {
public:
    explicit DialogSite(CDialog& host) : TestHost(false), dialog(host) {}
    CWindow* GetHostWnd() const override { return &dialog; }

private:
    CDialog& dialog;
};

}  // namespace

TEST(Dialog, IsCreatedFromItsTemplateAndInitialisedWithItsWindowInPlace) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_TRUE(dialog.windowAtInit);
    EXPECT_FALSE(dialog.Create(nullptr)) << "one window per object";
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(200, 0), 0);
    EXPECT_EQ(dialog.commands, (std::vector<WPARAM>{MAKEWPARAM(100, 0), MAKEWPARAM(200, 0)}));
    HWND window = dialog.GetSafeHwnd();
    dialog.DestroyWindow();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(Dialog, HostsASiteWhoseHookSitsInFrontOfTheDialogsOwnHandling) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    DialogSite site(dialog);
    site.Add({0, 0, 10, 10}, 0);
    EXPECT_TRUE(CNWSiteRegistry::IsHookedFor(dialog.GetSafeHwnd(), &site));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
    EXPECT_EQ(dialog.commands.size(), 1u) << "messages still reach the dialog behind the hook";
    HWND window = dialog.GetSafeHwnd();
    dialog.DestroyWindow();
    EXPECT_FALSE(CNWSiteRegistry::IsHooked(window));
}
