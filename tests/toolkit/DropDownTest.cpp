// Drop-downs: where the arrow and the label lie, when a click opens the menu or acts, the
// one-shot values of DoAction, the drawing, and the menu opened and chosen with the real mouse.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "controls/NWDropDownCtrl.h"
#include "support/ButtonHost.h"
#include "guisupport/RealInput.h"

namespace {

std::vector<LONG> Edges(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

// A drop-down as the page makes it: (site, 0), over (10, 10)-(110, 30) unless told otherwise.
CNWDropDownCtrl* AddDropDown(ButtonHost& host, RECT rect = {10, 10, 110, 30}, uint8_t dots = 0) {
    auto* dropDown = new CNWDropDownCtrl(host, dots);
    host.AddControl(dropDown, 1, 0);
    dropDown->SetRect(rect);
    host.TakeLog();
    return dropDown;
}

}  // namespace

TEST(DropDownLayout, TheArrowTakesTheRightEndAndTheLabelTheRest) {
    struct Row {
        const char* name;
        RECT rect;
        bool labelFullWidth;
        std::vector<LONG> arrow, label;
    };
    const Row rows[] = {
        {"wide", {10, 10, 110, 30}, false, {94, 10, 110, 30}, {10, 10, 94, 30}},
        {"exactly two arrows wide", {10, 10, 26, 30}, false, {10, 10, 26, 30}, {10, 10, 10, 30}},
        {"narrower than the arrow", {10, 10, 22, 30}, false, {10, 10, 22, 30}, {10, 10, 10, 30}},
        {"label over the full width",
         {10, 10, 110, 30},
         true,
         {94, 10, 110, 30},
         {10, 10, 110, 30}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        CNWDropDownCtrl* dropDown = AddDropDown(host, row.rect);
        dropDown->SetLabelFullWidth(row.labelFullWidth);
        EXPECT_EQ(Edges(dropDown->GetArrowRect()), row.arrow);
        EXPECT_EQ(Edges(dropDown->GetLabelRect()), row.label);
    }
}

TEST(DropDownClick, OpensTheMenuOrActsWhereTheOptionsSay) {
    struct Row {
        const char* name;
        bool labelAction, arrowOnly, openOnRelease, pressed;
        POINT release;
        const char* outcome;  // "menu", "action" or ""
    };
    const POINT label = {20, 20}, arrow = {100, 20}, outside = {200, 20};
    const Row rows[] = {
        {"released inside", false, false, true, true, label, "menu"},
        {"released outside", false, false, true, true, outside, ""},
        {"a release without its press", false, false, true, false, label, ""},
        {"arrow only: on the label", false, true, true, true, label, ""},
        {"arrow only: on the arrow", false, true, true, true, arrow, "menu"},
        {"label action: on the label", true, false, true, true, label, "action"},
        {"label action: on the arrow", true, false, true, true, arrow, "menu"},
        {"opening on press", false, false, false, true, outside, "menu"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        host.trackMenus = false;
        CNWDropDownCtrl* dropDown = AddDropDown(host);
        dropDown->SetLabelAction(row.labelAction);
        dropDown->SetArrowOnly(row.arrowOnly);
        dropDown->SetOpenOnRelease(row.openOnRelease);
        if (row.pressed) dropDown->OnLButtonDown(MK_LBUTTON, label);
        dropDown->OnLButtonUp(0, row.release);
        const std::string log = host.TakeLog();
        const char* outcome = log.find("menu 10") != std::string::npos     ? "menu"
                              : log.find("action 10") != std::string::npos ? "action"
                                                                           : "";
        EXPECT_STREQ(outcome, row.outcome) << log;
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
        host.trackMenus = false;
        CNWDropDownCtrl* dropDown = AddDropDown(host);
        EXPECT_EQ(dropDown->DoAction(row.action), row.handled);
        EXPECT_EQ(host.notifiedValues, row.notified);
        EXPECT_EQ(dropDown->GetValue(), 0.5);
        EXPECT_EQ(host.TakeLog().find("menu") != std::string::npos, *row.menu != '\0');
    }
}

TEST(DropDownDrawing, ArrowOrDotsBackgroundAndHoverFrame) {
    constexpr COLORREF kCanvas = RGB(1, 2, 3), kFace = RGB(10, 20, 30), kMarked = RGB(40, 0, 0);
    constexpr COLORREF kText = RGB(250, 250, 0), kGrey = RGB(128, 128, 128);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    struct Row {
        const char* name;
        uint8_t dots;
        bool noBackground, labelAction, enabled, hovered;
        std::vector<std::pair<POINT, COLORREF>> pixels;
    };
    // The arrow's box: x0 = 98, y0 = 16 (centre of (94, 10)-(110, 30) less 4).
    const Row rows[] = {
        {"arrow",
         0,
         false,
         false,
         true,
         false,
         {{{102, 20}, kText}, {{99, 19}, kText}, {{105, 19}, kText}, {{98, 25}, kFace}}},
        {"dots",
         1,
         false,
         false,
         true,
         false,
         {{{98, 24}, kText},
          {{101, 24}, kText},
          {{104, 24}, kText},
          {{99, 24}, kFace},
          {{102, 20}, kFace}}},
        {"no background", 0, true, false, true, false, {{{98, 25}, kCanvas}, {{102, 20}, kText}}},
        {"label action at half", 0, false, true, true, false, {{{98, 25}, kMarked}}},
        {"disabled", 0, false, false, false, false, {{{102, 20}, kGrey}}},
        {"hovered", 0, false, false, true, true, {{{10, 10}, light}, {{109, 29}, dark}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        CNWDropDownCtrl* dropDown = AddDropDown(host, {10, 10, 110, 30}, row.dots);
        NWControlStyle style = NWControlStyle::Defaults();
        style.colors[0] = kFace;
        style.colors[1] = kMarked;
        style.colors[3] = kText;
        style.colors[5] = kGrey;
        style.SetOption(NWControlStyle::kNoBackground, row.noBackground);
        dropDown->SetStyle(style);
        dropDown->SetLabelAction(row.labelAction);
        dropDown->SetEnabled(row.enabled);
        if (row.hovered) dropDown->OnMouseEnter();
        PixelCanvas canvas(TestHost::kWidth, TestHost::kHeight, kCanvas);
        host.DrawControls(canvas.Dc());
        for (const auto& [point, color] : row.pixels) {
            EXPECT_EQ(canvas.At(point.x, point.y), color) << point.x << "," << point.y;
        }
    }
}

// The menu opens at the control's left edge one pixel below it, and the item chosen with the
// real mouse reaches the site's window as WM_COMMAND.
TEST(DropDownMenuOnScreen, TheChosenItemReachesTheSiteAsACommand) {
    ButtonHost host;
    CNWDropDownCtrl* dropDown = AddDropDown(host, {40, 30, 140, 50});
    ASSERT_TRUE(realinput::Activate(host.GetSafeHwnd()));
    POINT expected = {40, 51};
    host.CNWControlSite::ClientToScreen(expected);
    RECT shown = {};
    std::atomic<bool> chosen = false;
    std::thread user([&] {
        HWND menu = nullptr;
        RECT item = {};
        const bool open = realinput::WaitUntil([&] {
            menu = FindWindowW(L"#32768", nullptr);
            return menu && IsWindowVisible(menu) && host.lastMenu &&
                   GetMenuItemRect(nullptr, host.lastMenu, 1, &item);
        });
        if (!open) {
            realinput::Keys(L"{Esc}");
            return;
        }
        GetWindowRect(menu, &shown);
        realinput::Click({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        chosen = true;
    });
    POINT click = {60, 40};
    host.CNWControlSite::ClientToScreen(click);
    realinput::Click(click);
    const bool commanded = realinput::PumpUntil(
        [&] { return chosen && host.log.find("command 32772") != std::string::npos; });
    user.join();
    EXPECT_TRUE(commanded) << host.log;
    EXPECT_EQ((std::vector{shown.left, shown.top}), (std::vector{expected.x, expected.y}));
    EXPECT_EQ((std::vector{host.menuPoint.x, host.menuPoint.y}),
              (std::vector{expected.x, expected.y}));
    EXPECT_FALSE(IsMenu(host.lastMenu)) << "the control destroyed the menu";
    EXPECT_EQ(dropDown->GetValue(), 0.5);
}
