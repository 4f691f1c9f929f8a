// Drop-downs with the page's options: when a click opens the menu, the one-shot values of
// DoAction, the drawing. The real pointer opens and chooses from a drop-down's menu in the
// page's end-to-end cases.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "controls/NWDropDownCtrl.h"
#include "support/ButtonHost.h"

namespace {

// A drop-down as the page makes it: (site, 0), over (10, 10)-(110, 30).
CNWDropDownCtrl* AddDropDown(ButtonHost& host) {
    auto* dropDown = new CNWDropDownCtrl(host, 0);
    host.AddControl(dropDown, 1, 0);
    dropDown->SetRect({10, 10, 110, 30});
    host.TakeLog();
    return dropDown;
}

}  // namespace

// With the page's options: the menu opens on the release that ends the control's own press.
TEST(DropDownClick, TheReleaseOfItsOwnPressInsideOpensTheMenu) {
    struct Row {
        const char* name;
        bool pressed;
        POINT release;
        bool menu;
    };
    const POINT label = {20, 20};
    const Row rows[] = {
        {"released inside", true, label, true},
        {"released outside", true, {200, 20}, false},
        {"a release without its press", false, label, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        CNWDropDownCtrl* dropDown = AddDropDown(host);
        if (row.pressed) dropDown->OnLButtonDown(MK_LBUTTON, label);
        dropDown->OnLButtonUp(0, row.release);
        const std::string log = host.TakeLog();
        EXPECT_EQ(log.find("menu 10") != std::string::npos, row.menu) << log;
        EXPECT_FALSE(host.lastMenu && IsMenu(host.lastMenu)) << "the menu was destroyed";
    }
    ButtonHost host(false);
    AddDropDown(host)->OnLButtonDblClk(MK_LBUTTON, label);
    EXPECT_NE(host.TakeLog().find("action 10 keys 1"), std::string::npos) << "double-click";
}

// The value is a one-shot signal: the owner sees the step, then the value rests at half.
TEST(DropDownActions, EachActionSignalsOnceAndTheValueReturnsToHalf) {
    struct Row {
        const char* name;
        int action;
        int handled;
        std::vector<double> notified;
        const char* menu;
    };
    const Row rows[] = {
        {"1: previous", 1, 1, {0.25}, ""},
        {"3: previous", 3, 1, {0.25}, ""},
        {"2: next", 2, 1, {0.75}, ""},
        {"4: next", 4, 1, {0.75}, ""},
        {"5: first", 5, 1, {0.0}, ""},
        {"6: last", 6, 1, {1.0}, ""},
        {"7: the menu", 7, 1, {}, "menu 10 flags 0 items 4"},
        {"8: not handled", 8, 0, {}, ""},
        {"13: the base's", 13, 0, {}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        CNWDropDownCtrl* dropDown = AddDropDown(host);
        EXPECT_EQ(dropDown->DoAction(row.action), row.handled);
        EXPECT_EQ(host.notifiedValues, row.notified);
        EXPECT_EQ(dropDown->GetValue(), 0.5);
        EXPECT_EQ(host.TakeLog().find("menu") != std::string::npos, *row.menu != '\0');
    }
}

// The page's drop-down: the arrow (in the golden pictures too) and the hover frame (not).
TEST(DropDownDrawing, TheArrowAndTheHoverFrame) {
    constexpr COLORREF kCanvas = RGB(1, 2, 3), kFace = RGB(10, 20, 30), kText = RGB(250, 250, 0);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    using Pixels = std::vector<std::pair<POINT, COLORREF>>;
    // The arrow's box: x0 = 98, y0 = 16 (centre of (94, 10)-(110, 30) less 4).
    const std::pair<bool, Pixels> rows[] = {
        {false, {{{102, 20}, kText}, {{99, 19}, kText}, {{105, 19}, kText}, {{98, 25}, kFace}}},
        {true, {{{10, 10}, light}, {{109, 29}, dark}}},
    };
    for (const auto& [hovered, pixels] : rows) {
        ButtonHost host(false);
        CNWDropDownCtrl* dropDown = AddDropDown(host);
        NWControlStyle style = NWControlStyle::Defaults();
        style.colors[0] = kFace;
        style.colors[3] = kText;
        dropDown->SetStyle(style);
        if (hovered) dropDown->OnMouseEnter();
        PixelCanvas canvas(TestHost::kWidth, TestHost::kHeight, kCanvas);
        host.DrawControls(canvas.Dc());
        for (const auto& [point, color] : pixels) {
            EXPECT_EQ(canvas.At(point.x, point.y), color) << point.x << "," << point.y;
        }
    }
}
