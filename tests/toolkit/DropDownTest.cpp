// Drop-downs with the page's options: when a click opens the menu, the one-shot values of
// DoAction, the hover frame. The real pointer opens and chooses from a drop-down's menu in the
// page's end-to-end cases.
#include <gtest/gtest.h>

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

// A hovered drop-down shows its frame; the golden pictures show the arrow, never a hover.
TEST(DropDownDrawing, AHoveredDropDownShowsItsFrame) {
    ButtonHost host(false);
    CNWDropDownCtrl* dropDown = AddDropDown(host);
    dropDown->SetStyle(NWControlStyle::Defaults());
    dropDown->OnMouseEnter();
    PixelCanvas canvas(TestHost::kWidth, TestHost::kHeight, RGB(1, 2, 3));
    host.DrawControls(canvas.Dc());
    EXPECT_EQ(canvas.At(10, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(109, 29), GetSysColor(COLOR_BTNSHADOW));
}
