// Mouse messages sent to a real top-level window reach the controls through the page's
// routing: capture, hover enter and leave, double-click, hit testing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestHost.h"

namespace {

using Log = std::vector<std::string>;

// Two overlapping controls and a third apart: A (id 10), B (id 11), C (id 12).
struct Layout {
    TestHost host;
    TestControl* a = host.Add({10, 10, 50, 50}, RGB(200, 0, 0));
    TestControl* b = host.Add({40, 20, 90, 60}, RGB(0, 160, 0));
    TestControl* c = host.Add({120, 10, 160, 100}, RGB(0, 0, 200));

    Layout() {
        a->SetValue(0.2, 0, 0);
        b->SetValue(0.2, 0, 0);
        c->SetValue(0.2, 0, 0);
        host.TakeLog();
    }
};

}  // namespace

TEST(SiteHitTest, ControlsAreFoundInListOrderWithTheFocusControlFirst) {
    Layout layout;
    struct Case {
        POINT point;
        TestControl* expected;
    };
    const Case cases[] = {
        {{10, 10}, layout.a},  // top-left corner belongs to the control
        {{49, 49}, layout.a},  // last pixel inside
        {{50, 15}, nullptr},   // right edge is outside
        {{45, 30}, layout.a},  // overlap: the earlier control wins
        {{89, 59}, layout.b}, {{90, 59}, nullptr},
        {{9, 10}, nullptr},   {{140, 100}, nullptr},  // bottom edge is outside
    };
    for (const Case& c : cases) {
        EXPECT_EQ(layout.host.ControlFromPoint(c.point), c.expected)
            << c.point.x << "," << c.point.y;
    }

    TestHost focused;
    TestControl* first = focused.Add({10, 10, 50, 50}, 0);
    TestControl* second = focused.Add({40, 20, 90, 60}, 0, 1, 1);
    EXPECT_EQ(focused.GetFocusControl(), second);
    EXPECT_EQ(focused.ControlFromPoint({45, 30}), second);
    EXPECT_EQ(focused.ControlFromPoint({15, 15}), first);
}

TEST(SiteHitTest, AnInvisibleControlIsNeverHit) {
    Layout layout;
    layout.a->SetVisible(false);
    EXPECT_EQ(layout.host.ControlFromPoint({45, 30}), layout.b);
    EXPECT_EQ(layout.host.ControlFromPoint({15, 15}), nullptr);
    layout.host.Mouse(WM_LBUTTONDOWN, 15, 15);
    layout.host.Mouse(WM_LBUTTONUP, 15, 15);
    EXPECT_EQ(layout.host.TakeLog(), Log{});
}

TEST(SiteRouting, APressCapturesTheMouseAndTheReleaseGoesToThePressedControl) {
    Layout layout;
    TestHost& host = layout.host;
    host.Mouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), host.GetSafeHwnd());
    EXPECT_EQ(host.GetCapturedControl(), layout.a);
    EXPECT_TRUE(layout.a->HasFocusDisplay());
    EXPECT_EQ(host.TakeLog(), (Log{"state 10", "down 10", "begin 10"}));

    // Dragged over B: the captured control gets the moves and the release. B becomes the
    // hover control, because the pointer never hovered A before the press: only a pressed
    // hover control holds the hover.
    host.Mouse(WM_MOUSEMOVE, 60, 40, MK_LBUTTON);
    host.Mouse(WM_LBUTTONUP, 60, 40);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(host.TakeLog(), (Log{"enter 11", "move 10", "up 10", "end 10", "state 10"}));
    EXPECT_FALSE(layout.a->IsPressed());
}

TEST(SiteRouting, PressingAnotherControlMovesTheFocusDisplay) {
    Layout layout;
    TestHost& host = layout.host;
    host.Mouse(WM_LBUTTONDOWN, 20, 20);
    host.Mouse(WM_LBUTTONUP, 20, 20);
    host.TakeLog();
    host.Mouse(WM_LBUTTONDOWN, 130, 50);
    EXPECT_FALSE(layout.a->HasFocusDisplay());
    EXPECT_TRUE(layout.c->HasFocusDisplay());
    EXPECT_EQ(host.TakeLog(), (Log{"state 12", "down 12", "begin 12"}));
    // A press on empty space captures nothing and clears every focus display.
    host.Mouse(WM_LBUTTONUP, 130, 50);
    host.Mouse(WM_LBUTTONDOWN, 110, 110);
    EXPECT_EQ(host.GetCapturedControl(), nullptr);
    EXPECT_FALSE(layout.c->HasFocusDisplay());
}

TEST(SiteRouting, AReleaseWithoutAPressedControlGoesToTheControlUnderThePointer) {
    Layout layout;
    TestHost& host = layout.host;
    host.Mouse(WM_LBUTTONDOWN, 110, 110);  // nothing there
    host.TakeLog();
    host.Mouse(WM_LBUTTONUP, 60, 50);
    EXPECT_EQ(host.GetCapturedControl(), layout.b);
    EXPECT_EQ(host.TakeLog(), (Log{"state 11", "up 11"}));
}

TEST(SiteRouting, ADisabledControlIsCapturedButGetsNoButtonCalls) {
    Layout layout;
    layout.a->SetEnabled(false);
    layout.host.Mouse(WM_LBUTTONDOWN, 20, 20);
    layout.host.Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(layout.host.GetCapturedControl(), layout.a);
    EXPECT_EQ(layout.host.TakeLog(), Log{"state 10"});
}

TEST(SiteRouting, ADoubleClickActsAsAPressAndRestoresTheDefaultValue) {
    Layout layout;
    TestHost& host = layout.host;
    host.Mouse(WM_LBUTTONDBLCLK, 20, 20, MK_LBUTTON);
    EXPECT_EQ(host.TakeLog(), (Log{"state 10", "dblclk 10", "begin 10", "value 10", "text 10"}));
    EXPECT_DOUBLE_EQ(layout.a->GetValue(), 0.5);
    host.Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(host.TakeLog(), (Log{"up 10", "end 10", "state 10"}));
}

TEST(SiteHover, EnterAndLeaveFollowThePointerFromControlToControl) {
    Layout layout;
    TestHost& host = layout.host;
    struct Step {
        POINT point;
        Log log;
        TestControl* hover;
    };
    const std::vector<Step> steps = {
        {{20, 20}, {"enter 10"}, layout.a},
        {{25, 25}, {}, layout.a},
        {{70, 55}, {"leave 10", "enter 11"}, layout.b},
        {{110, 110}, {"leave 11"}, nullptr},
        {{111, 111}, {}, nullptr},
        {{130, 20}, {"enter 12"}, layout.c},
    };
    for (const Step& step : steps) {
        host.Mouse(WM_MOUSEMOVE, step.point.x, step.point.y);
        EXPECT_EQ(host.TakeLog(), step.log) << step.point.x << "," << step.point.y;
        EXPECT_EQ(host.GetHoverControl(), step.hover);
    }
    EXPECT_TRUE(layout.c->IsHovered());
    EXPECT_FALSE(layout.a->IsHovered());
}

TEST(SiteHover, APressedHoverControlKeepsTheHoverWhileDragged) {
    Layout layout;
    TestHost& host = layout.host;
    host.Mouse(WM_MOUSEMOVE, 20, 20);
    host.Mouse(WM_LBUTTONDOWN, 20, 20);
    host.TakeLog();
    host.Mouse(WM_MOUSEMOVE, 130, 20, MK_LBUTTON);
    EXPECT_EQ(host.GetHoverControl(), layout.a);
    EXPECT_EQ(host.TakeLog(), Log{"move 10"});
    host.Mouse(WM_LBUTTONUP, 130, 20);
    host.TakeLog();
    host.Mouse(WM_MOUSEMOVE, 131, 20);
    EXPECT_EQ(host.TakeLog(), (Log{"leave 10", "enter 12", "move 10"}));
}

TEST(SiteHover, HoverIsDrawnOnlyWhenTheStyleAsksForIt) {
    Layout layout;
    NWControlStyle style = NWControlStyle::Defaults();
    style.SetOption(NWControlStyle::kHoverFrame, 0);
    style.fieldMask = 1u << 8;
    layout.a->SetStyle(style);
    layout.host.Mouse(WM_MOUSEMOVE, 20, 20);
    EXPECT_EQ(layout.host.GetHoverControl(), layout.a);
    EXPECT_FALSE(layout.a->IsHovered());
    layout.host.Mouse(WM_MOUSEMOVE, 70, 55);
    EXPECT_TRUE(layout.b->IsHovered());
}

TEST(SiteHover, TheFirstHoverAsksWindowsForAMouseLeaveMessage) {
    Layout layout;
    HWND window = layout.host.GetSafeHwnd();
    POINT inside = {20, 20};
    ClientToScreen(window, &inside);
    SetCursorPos(inside.x, inside.y);
    layout.host.Mouse(WM_MOUSEMOVE, 20, 20);
    TRACKMOUSEEVENT query = {sizeof(query), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.hwndTrack, window);
    EXPECT_NE(query.dwFlags & TME_LEAVE, 0u);
}
