// The site and its host window: the window hook, tooltip tools, invalidation, the cursor during
// drags, and what happens when the window or the controls go.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/NWAccessibility.h"
#include "controls/NWControl.h"
#include "controls/NWSiteRegistry.h"
#include "controls/OurToolTipCtrl.h"
#include "support/TestHost.h"

namespace {

using Log = std::vector<std::string>;

LONG_PTR ProcedureOf(HWND window) { return GetWindowLongPtrW(window, GWLP_WNDPROC); }

RECT ToolRect(HWND tooltip, HWND owner, UINT_PTR id) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = owner;
    tool.uId = id;
    SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
    return tool.rect;
}

// The area that is waiting to be painted.
RECT UpdateRect(HWND window) {
    RECT rect = {};
    GetUpdateRect(window, &rect, FALSE);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

}  // namespace

TEST(SiteWindowHook, TheFirstControlHooksTheHostWindowOnceForAllItsSites) {
    TestHost host;
    HWND window = host.GetSafeHwnd();
    const LONG_PTR before = ProcedureOf(window);
    EXPECT_FALSE(CNWSiteRegistry::IsHooked(window));
    EXPECT_FALSE(CNWSiteRegistry::IsRegistered(&host));
    host.Add({0, 0, 10, 10}, 0);
    const LONG_PTR hooked = ProcedureOf(window);
    EXPECT_NE(hooked, before);
    EXPECT_TRUE(CNWSiteRegistry::IsHookedFor(window, &host));
    EXPECT_TRUE(CNWSiteRegistry::IsRegistered(&host));
    host.Add({10, 0, 20, 10}, 0);
    EXPECT_EQ(ProcedureOf(window), hooked);

    // A second site sharing the window joins its entry; the procedure stays the same.
    {
        struct Guest : TestHost {
            explicit Guest(HWND window) : TestHost(false), shared(window) {}
            CWindow* GetHostWnd() const override { return CWindow::FromHandle(shared); }
            HWND shared;
        } sharing(window);
        sharing.Add({30, 0, 40, 10}, 0);
        EXPECT_TRUE(CNWSiteRegistry::IsHookedFor(window, &sharing));
        EXPECT_TRUE(CNWSiteRegistry::IsHookedFor(window, &host));
        EXPECT_EQ(ProcedureOf(window), hooked);
        sharing.DeleteAllControls();
    }
    // The guest is gone: the window still works for the host.
    EXPECT_TRUE(CNWSiteRegistry::IsHookedFor(window, &host));
    host.Mouse(WM_LBUTTONDOWN, 5, 5);
    EXPECT_EQ(host.GetCapturedControl()->GetId(), 10);
}

TEST(SiteWindowHook, DestroyingTheWindowReleasesTheSitesHoldAndRemovesTheEntry) {
    TestHost host;
    HWND window = host.GetSafeHwnd();
    TestControl* control = host.Add({0, 0, 20, 20}, 0);
    host.Mouse(WM_MOUSEMOVE, 5, 5);
    host.Mouse(WM_LBUTTONDOWN, 5, 5);
    host.TakeLog();
    host.DestroyWindow();
    EXPECT_FALSE(CNWSiteRegistry::IsHooked(window));
    EXPECT_EQ(host.GetCapturedControl(), nullptr);
    EXPECT_EQ(host.GetHoverControl(), nullptr);
    EXPECT_FALSE(control->IsPressed());
    EXPECT_FALSE(host.GetTooltipCtrl()->IsWindow());
    EXPECT_EQ(host.TakeLog(), (Log{"end 10", "state 10"})) << "the press was cancelled";
}

TEST(SiteWindowHook, WmGetObjectIsLeftToTheHostWhileAccessibilityIsOff) {
    TestHost host;
    host.Add({0, 0, 10, 10}, 0);
    ASSERT_FALSE(CNWAccessibility::IsOn());
    EXPECT_EQ(host.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(-25)), 0);
    EXPECT_EQ(host.GetSiteProvider(), nullptr);
}

TEST(SiteWindowHook, AHostThatAddsControlsBeforeItsWindowExistsHooksItLater) {
    TestHost host(false);
    host.Add({0, 0, 10, 10}, 0);
    host.Add({10, 0, 20, 10}, 0);
    EXPECT_FALSE(host.GetTooltipCtrl()->IsWindow());
    EXPECT_TRUE(CNWSiteRegistry::IsRegistered(&host)) << "registered at its first control";
    ASSERT_TRUE(host.CreateEx(0, nullptr, nullptr, WS_POPUP, {0, 0, 50, 50}, nullptr, 0));
    host.HookHostWindow();
    EXPECT_TRUE(CNWSiteRegistry::IsHookedFor(host.GetSafeHwnd(), &host));
    EXPECT_EQ(host.GetTooltipCtrl()->GetToolCount(), 2);
}

TEST(SiteTooltips, EveryControlIsACallbackToolOverItsRectangle) {
    TestHost host;
    HWND window = host.GetSafeHwnd();
    TestControl* rate = host.Add({0, 0, 30, 20}, 0);
    TestControl* swing = host.Add({40, 0, 70, 20}, 0);
    COurToolTipCtrl* tooltip = host.GetTooltipCtrl();
    ASSERT_TRUE(tooltip->IsWindow());
    EXPECT_EQ(GetWindow(tooltip->GetSafeHwnd(), GW_OWNER), window);
    EXPECT_TRUE(tooltip->HasTool(window, 10));
    EXPECT_TRUE(tooltip->HasTool(window, 11));
    EXPECT_TRUE(SameRect(ToolRect(tooltip->GetSafeHwnd(), window, 11), {40, 0, 70, 20}));
    swing->SetRect({40, 30, 80, 60});
    EXPECT_TRUE(SameRect(ToolRect(tooltip->GetSafeHwnd(), window, 11), {40, 30, 80, 60}));

    // The tooltip asks the host window for the text each time it shows.
    rate->SetName(L"Rate");
    rate->SetValue(0.5, 0, 0);
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = tooltip->GetSafeHwnd();
    info.hdr.idFrom = 10;
    info.hdr.code = TTN_GETDISPINFOW;
    host.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_EQ(std::wstring(info.lpszText), L"Rate = 50%");
    rate->SetValue(0.25, 0, 0);
    host.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(std::wstring(info.lpszText), L"Rate = 25%");

    host.DeleteAllControls();
    EXPECT_EQ(tooltip->GetToolCount(), 0);
}

TEST(SiteControls, DeleteAllControlsDeletesEveryControlAndEmptiesBothLists) {
    const size_t liveBefore = CNWControl::LiveCount();
    TestHost host;
    bool deleted[3] = {};
    for (int i = 0; i < 3; ++i) {
        TestControl* control = host.Add({i * 10, 0, i * 10 + 10, 10}, 0, i != 1, i == 2);
        control->deleted = &deleted[i];
    }
    EXPECT_EQ(host.GetControls().size(), 3u);
    EXPECT_EQ(host.GetTabControls().size(), 2u) << "only controls added in tab order";
    EXPECT_EQ(CNWControl::LiveCount(), liveBefore + 3);
    host.Mouse(WM_LBUTTONDOWN, 5, 5);
    host.TakeLog();
    host.DeleteAllControls();
    EXPECT_TRUE(deleted[0] && deleted[1] && deleted[2]);
    EXPECT_EQ(CNWControl::LiveCount(), liveBefore);
    EXPECT_TRUE(host.GetControls().empty());
    EXPECT_TRUE(host.GetTabControls().empty());
    EXPECT_EQ(host.GetCapturedControl(), nullptr);
    EXPECT_EQ(host.GetFocusControl(), nullptr);
    EXPECT_EQ(host.TakeLog(), Log{"changed"});
}

TEST(SiteControls, AddControlNotifiesTheSiteThenTheControl) {
    TestHost host(false);
    host.Add({}, 0);
    EXPECT_EQ(host.TakeLog(), (Log{"changed", "added 10"}));
}

TEST(SiteControls, TheSiteCountsItselfAndDestroysTheChildWindowItOwns) {
    const size_t sitesBefore = CNWControlSite::LiveCount();
    bool childGone = false;
    struct Child : CWindow {
        bool* gone = nullptr;
        void PostNcDestroy() override { *gone = true; }
    };
    HWND childWindow = nullptr;
    {
        TestHost host(false);
        EXPECT_EQ(CNWControlSite::LiveCount(), sitesBefore + 1);
        auto* child = new Child();
        child->gone = &childGone;
        child->CreateEx(0, nullptr, nullptr, WS_POPUP, {0, 0, 5, 5}, nullptr, 0);
        childWindow = child->GetSafeHwnd();
        host.SetChildWindow(child);
    }
    EXPECT_EQ(CNWControlSite::LiveCount(), sitesBefore);
    EXPECT_TRUE(childGone);
    EXPECT_FALSE(IsWindow(childWindow));
}

TEST(SiteInvalidation, ControlsInvalidateTheirOwnAreaOfTheHostWindow) {
    struct Case {
        const char* name;
        bool visible;
        int redraw;
        bool invalid;
    };
    const Case cases[] = {{"visible, redraw", true, 1, true},
                          {"visible, no redraw", true, 0, false},
                          {"invisible", false, 1, false}};
    for (const Case& c : cases) {
        TestHost host;
        TestControl* control = host.Add({20, 30, 60, 50}, 0);
        control->SetValue(0.2, 0, 0);
        control->SetVisible(c.visible);
        ValidateRect(host.GetSafeHwnd(), nullptr);
        control->SetValue(0.8, 0, c.redraw);
        const RECT pending = UpdateRect(host.GetSafeHwnd());
        EXPECT_EQ(!IsRectEmpty(&pending), c.invalid) << c.name;
        if (c.invalid) {
            EXPECT_TRUE(SameRect(pending, {20, 30, 60, 50})) << "a value change redraws the rect";
        }
    }
    TestHost host;
    TestControl* control = host.Add({20, 30, 60, 50}, 0);
    ValidateRect(host.GetSafeHwnd(), nullptr);
    host.InvalidateControl(control, nullptr);
    EXPECT_TRUE(SameRect(UpdateRect(host.GetSafeHwnd()), {19, 29, 61, 51}))
        << "without a rectangle, one pixel around the control";
    ValidateRect(host.GetSafeHwnd(), nullptr);
    const RECT given = {1, 2, 3, 4};
    host.InvalidateControl(control, &given);
    EXPECT_TRUE(SameRect(UpdateRect(host.GetSafeHwnd()), given));
}

TEST(SiteDragCursor, HidingAndShowingNeverRaisesTheDisplayCount) {
    TestHost host;
    auto displayCount = [] {
        ShowCursor(TRUE);
        return ShowCursor(FALSE);
    };
    const int before = displayCount();
    host.ShowDragCursor(false);
    EXPECT_EQ(displayCount(), before - 1);
    host.ShowDragCursor(true);
    EXPECT_EQ(displayCount(), before);
    if (before >= 0) {
        host.ShowDragCursor(true);
        EXPECT_EQ(displayCount(), before) << "shown only while the remembered count is negative";
    }
}

TEST(SiteTrackingTip, TheValueTipIsATrackingToolThatComesAndGoesWithTheDrag) {
    TestHost host;
    TestControl* control = host.Add({20, 30, 60, 50}, 0);
    control->SetValue(0.5, 0, 0);
    COurToolTipCtrl* tooltip = host.GetTooltipCtrl();
    control->ShowTrackingTip();
    EXPECT_TRUE(tooltip->IsTracking());
    EXPECT_TRUE(tooltip->HasTool(host.GetSafeHwnd(), CToolTipCtrl::kTrackingToolId));
    control->UpdateTrackingTip();
    control->HideTrackingTip();
    EXPECT_FALSE(tooltip->IsTracking());
    EXPECT_FALSE(tooltip->HasTool(host.GetSafeHwnd(), CToolTipCtrl::kTrackingToolId));
}
