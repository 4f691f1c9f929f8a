// The site in a real window: hit testing, mouse routing with capture, hover and double-click,
// the window hook, tooltips, the lifetime of what the site owns, invalidation and the drag
// cursor. The page's tests host the site on its dialog (and check the name it gives the site,
// the one name a site is given). The UI Automation providers are switched on nowhere in the
// product; the page's Active Accessibility object is the reader's (reader_e2e.py).
#include <gtest/gtest.h>

#include <tuple>

#include "controls/NWSiteRegistry.h"
#include "controls/OurToolTipCtrl.h"
#include "support/TestHost.h"

namespace {

// Two overlapping controls and one apart: A (id 10), B (id 11), C (id 12).
struct Layout {
    TestHost host;
    TestControl* a = host.Add({10, 10, 50, 50});
    TestControl* b = host.Add({40, 20, 90, 60});
    TestControl* c = host.Add({120, 10, 160, 100});

    Layout() {
        for (TestControl* control : {a, b, c}) control->SetValue(0.2, 0, 0);
        host.TakeLog();
    }
};

std::vector<LONG> Edges(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

// (A focus control made at once, which goes first, the page never makes; its controls never
// overlap.)
TEST(SiteHitTest, ControlsAreFoundInListOrder) {
    Layout l;
    const std::pair<POINT, TestControl*> cases[] = {
        {{10, 10}, l.a}, {{49, 49}, l.a},     {{50, 15}, nullptr}, {{45, 30}, l.a},
        {{89, 59}, l.b}, {{90, 59}, nullptr}, {{9, 10}, nullptr},  {{140, 100}, nullptr},
    };
    for (const auto& [point, control] : cases) {
        EXPECT_EQ(l.host.ControlFromPoint(point), control) << point.x << "," << point.y;
    }
    l.a->SetVisible(false);
    EXPECT_EQ(l.host.ControlFromPoint({45, 30}), l.b) << "an invisible control is never hit";
    EXPECT_EQ(l.host.ControlFromPoint({15, 15}), nullptr);
}

// One pointer session: the press captures the mouse and the pressed control gets the moves and
// the release; only a pressed hover control keeps the hover; the captured control shows focus.
TEST(SiteRouting, MouseInputReachesTheControlsThroughTheWindow) {
    Layout l;
    NWControlStyle noHoverFrame = NWControlStyle::Defaults();
    noHoverFrame.SetOption(NWControlStyle::kHoverFrame, 0);
    noHoverFrame.fieldMask = 1u << 8;
    l.c->SetStyle(noHoverFrame);  // C's hover is tracked but not shown
    POINT cursor = {20, 20};      // the real pointer stays over A, so that hover is tracked
    ClientToScreen(l.host.GetSafeHwnd(), &cursor);
    SetCursorPos(cursor.x, cursor.y);
    const UINT move = WM_MOUSEMOVE, down = WM_LBUTTONDOWN, up = WM_LBUTTONUP;
    // Message, x, y, the log, then the captured and the hover control.
    using Step = std::tuple<UINT, int, int, const char*, TestControl*, TestControl*>;
    const Step steps[] = {
        {move, 20, 20, "enter 10", nullptr, l.a},
        {move, 25, 25, "", nullptr, l.a},
        {down, 20, 20, "state 10, down 10, begin 10", l.a, l.a},
        {move, 130, 20, "move 10", l.a, l.a},
        {up, 130, 20, "up 10, end 10, state 10", l.a, l.a},
        {move, 131, 20, "leave 10, enter 12, move 10", l.a, l.c},
        {move, 70, 55, "leave 12, enter 11, move 10", l.a, l.b},
        {move, 110, 110, "leave 11, move 10", l.a, nullptr},
        {move, 111, 111, "move 10", l.a, nullptr},
        {down, 130, 50, "state 12, down 12, begin 12", l.c, nullptr},
        {move, 60, 40, "enter 11, move 12", l.c, l.b},
        {up, 65, 45, "up 12, end 12, state 12", l.c, l.b},
        {down, 110, 110, "", nullptr, l.b},
        {up, 60, 50, "state 11, up 11", l.b, l.b},
        {WM_LBUTTONDBLCLK, 20, 20, "state 10, dblclk 10, begin 10, value 10, text 10", l.a, l.b},
        {up, 20, 20, "up 10, end 10, state 10", l.a, l.b},
    };
    bool captured = false;
    for (const auto& [message, x, y, log, control, hover] : steps) {
        l.host.Mouse(message, x, y);
        captured = message == move ? captured : message != up;
        EXPECT_EQ(l.host.TakeLog(), log) << message << " at " << x << "," << y;
        EXPECT_EQ(GetCapture(), captured ? l.host.GetSafeHwnd() : nullptr) << x << "," << y;
        EXPECT_EQ(l.host.GetCapturedControl(), control) << x << "," << y;
        EXPECT_EQ(l.host.GetHoverControl(), hover) << x << "," << y;
        for (TestControl* each : {l.a, l.b, l.c}) {
            EXPECT_EQ(each->HasFocusDisplay(), each == control) << x << "," << y;
            EXPECT_EQ(each->IsHovered(), each == hover && each != l.c) << x << "," << y;
        }
    }
    EXPECT_DOUBLE_EQ(l.a->GetValue(), 0.5) << "the double-click restored the default";
    const POINT press = l.c->GetPressPoint(), last = l.c->GetLastPoint();
    EXPECT_EQ(Edges({press.x, press.y, last.x, last.y}), Edges({130, 50, 65, 45}));
    TRACKMOUSEEVENT query = {sizeof(query), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, l.host.GetSafeHwnd()) << "hovering asks Windows for WM_MOUSELEAVE";
    EXPECT_NE(query.dwFlags & TME_LEAVE, 0u);
    l.b->SetEnabled(false);
    l.host.Mouse(down, 60, 50);
    l.host.Mouse(up, 60, 50);
    EXPECT_EQ(l.host.GetCapturedControl(), l.b);
    EXPECT_EQ(l.host.TakeLog(), "state 11") << "disabled: captured, but no button calls";
}

// The hook sits in front of the window's own procedure; destroying the window releases what the
// site held for it (capture, hover, a press, the tooltip) and removes the window's entry.
TEST(SiteWindowHook, TheFirstControlHooksTheHostWindowOnce) {
    TestHost host;
    HWND window = host.GetSafeHwnd();
    const LONG_PTR before = GetWindowLongPtrW(window, GWLP_WNDPROC);
    EXPECT_FALSE(CNWSiteRegistry::IsHooked(window));
    TestControl* control = host.Add({0, 0, 10, 10});
    const LONG_PTR hooked = GetWindowLongPtrW(window, GWLP_WNDPROC);
    EXPECT_NE(hooked, before);
    EXPECT_TRUE(CNWSiteRegistry::IsHookedFor(window, &host));
    host.Add({10, 0, 20, 10});
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), hooked);
    host.Mouse(WM_MOUSEMOVE, 5, 5);
    host.Mouse(WM_LBUTTONDOWN, 5, 5);
    EXPECT_EQ(host.GetCapturedControl(), control) << "the window still works for the host";
    host.TakeLog();
    host.DestroyWindow();
    EXPECT_FALSE(CNWSiteRegistry::IsHooked(window));
    EXPECT_EQ(host.GetCapturedControl(), nullptr);
    EXPECT_EQ(host.GetHoverControl(), nullptr);
    EXPECT_FALSE(control->IsPressed());
    EXPECT_FALSE(host.GetTooltipCtrl()->IsWindow());
    EXPECT_EQ(host.TakeLog(), "end 10, state 10") << "the press was cancelled";
}

// The tracking tip a drag shows where the style asks for one (the page's does not) is
// SliderEvents'.
TEST(SiteTooltips, EveryControlIsACallbackToolAskedForItsTextEachTime) {
    TestHost host;
    HWND window = host.GetSafeHwnd();
    TestControl* rate = host.Add({0, 0, 30, 20});
    TestControl* swing = host.Add({40, 0, 70, 20});
    COurToolTipCtrl* tooltip = host.GetTooltipCtrl();
    ASSERT_TRUE(tooltip->IsWindow());
    EXPECT_EQ(GetWindow(tooltip->GetSafeHwnd(), GW_OWNER), window);
    EXPECT_TRUE(tooltip->HasTool(window, 10));
    TOOLINFOW tool = {sizeof(tool), 0, window, 11, {}, nullptr, nullptr, 0, nullptr};
    for (const RECT& rect : {RECT{40, 0, 70, 20}, RECT{40, 30, 80, 60}}) {
        swing->SetRect(rect);
        tooltip->SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(Edges(tool.rect), Edges(rect));
    }
    rate->SetName(L"Rate");
    NMTTDISPINFOW info = {};
    info.hdr = {tooltip->GetSafeHwnd(), 10, TTN_GETDISPINFOW};
    for (int percent : {50, 25}) {  // asked each time the tip shows
        rate->SetValue(percent / 100.0, 0, 0);
        host.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_EQ(std::wstring(info.lpszText), L"Rate = " + std::to_wstring(percent) + L"%");
    }
    host.DeleteAllControls();
    EXPECT_EQ(tooltip->GetToolCount(), 0);
}

TEST(SiteControls, TheSiteDeletesItsControlsAndChildWindowAndCountsItself) {
    const size_t controlsBefore = CNWControl::LiveCount();
    const size_t sitesBefore = CNWControlSite::LiveCount();
    HWND child = nullptr;
    {
        TestHost host;
        EXPECT_EQ(CNWControlSite::LiveCount(), sitesBefore + 1);
        for (int i = 0; i < 3; ++i) host.Add({i * 10, 0, i * 10 + 10, 10});
        EXPECT_EQ(CNWControl::LiveCount(), controlsBefore + 3);
        host.Mouse(WM_MOUSEMOVE, 5, 5);
        host.Mouse(WM_LBUTTONDOWN, 5, 5);
        host.TakeLog();
        host.DeleteAllControls();
        EXPECT_EQ(CNWControl::LiveCount(), controlsBefore);
        EXPECT_TRUE(host.GetControls().empty());
        EXPECT_TRUE(host.GetTabControls().empty());
        EXPECT_EQ(host.GetCapturedControl(), nullptr);
        EXPECT_EQ(host.GetHoverControl(), nullptr);
        EXPECT_EQ(host.GetFocusControl(), nullptr);
        EXPECT_EQ(host.TakeLog(), "changed");
        auto* window = new CWindow();
        window->CreateEx(0, nullptr, nullptr, WS_POPUP, {0, 0, 5, 5}, nullptr, 0);
        child = window->GetSafeHwnd();
        host.SetChildWindow(window);
    }
    EXPECT_EQ(CNWControlSite::LiveCount(), sitesBefore);
    EXPECT_FALSE(IsWindow(child)) << "the site destroys the child window it owns";
}

TEST(SiteInvalidation, ControlsInvalidateTheirOwnAreaOfTheHostWindow) {
    TestHost host;
    TestControl* control = host.Add({20, 30, 60, 50});
    auto pending = [&host](auto change) {
        ValidateRect(host.GetSafeHwnd(), nullptr);
        change();
        RECT rect = {};
        GetUpdateRect(host.GetSafeHwnd(), &rect, FALSE);
        return Edges(rect);
    };
    const RECT given = {1, 2, 3, 4};
    EXPECT_EQ(pending([&] { control->SetValue(0.8, 0, 1); }), Edges({20, 30, 60, 50}));
    EXPECT_EQ(pending([&] { control->SetValue(0.4, 0, 0); }), Edges({})) << "told not to redraw";
    EXPECT_EQ(pending([&] { host.InvalidateControl(control, nullptr); }), Edges({19, 29, 61, 51}))
        << "without a rectangle, one pixel around the control";
    EXPECT_EQ(pending([&] { host.InvalidateControl(control, &given); }), Edges(given));
    control->SetVisible(false);
    EXPECT_EQ(pending([&] { control->SetValue(0.6, 0, 1); }), Edges({})) << "invisible";
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
