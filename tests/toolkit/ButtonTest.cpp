// Bitmap buttons: which frame of the page's strip (off, hover, on: mask 13) stands for which
// state, the frames on real pixels under the real mouse, when each button type acts, and
// DoAction. How the strip is cut into frames the golden pictures and the hover case show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ButtonResourceIds.h"
#include "controls/NWMultiBtn.h"
#include "support/ButtonHost.h"
#include "guisupport/RealInput.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A button as the page makes it: (site, 9, 1), the strip with mask 13, at (x, y).
CNWMultiBtn* AddButton(ButtonHost& host, POINT at, int32_t type = 1) {
    auto* button = new CNWMultiBtn(host, 9, type);
    button->SetBitmap(IDB_BUTTON_STRIP, 13, 1, 0);
    button->SetStyle(NWControlStyle::Defaults());
    host.AddControl(button, 1, 0);
    button->SetRect({at.x, at.y, at.x, at.y});
    button->SetValue(0, 0, 1);
    host.TakeLog();
    return button;
}

}  // namespace

// Off, hover and on are ButtonFramesOnScreen's, under the real pointer.
TEST(ButtonFrames, EachStatePicksItsFrame) {
    using B = CNWMultiBtn;
    struct Row {
        const char* name;
        double value;
        bool enabled, pressed, hovered;
        uint32_t frame;
    };
    const Row rows[] = {
        {"pressed without a pressed frame", 0, true, true, false, B::kNormal},
        {"0.5 counts as on without a middle bit", 0.5, true, false, false, B::kOn},
        {"disabled without a disabled frame", 0, false, false, true, B::kHover},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        CNWMultiBtn* button = AddButton(host, {0, 0});
        button->SetValue(row.value, 0, 1);
        if (row.pressed) button->OnLButtonDown(0, {1, 1});
        if (row.hovered) button->OnMouseEnter();
        button->SetEnabled(row.enabled);
        EXPECT_EQ(button->ChooseFrame(), row.frame);
    }
}

// The page's mask 13 under the real pointer: off shows frame 0, hovered frame 1, on frame 2
// (hovered or not), read back from the window's pixels.
TEST(ButtonFramesOnScreen, HoverAndAClickWithTheRealMouseShowTheirFrames) {
    ButtonHost host;
    CNWMultiBtn* button = AddButton(host, {40, 30});
    ASSERT_TRUE(realinput::Activate(host.GetSafeHwnd()));
    auto screen = [&host](int x, int y) {
        POINT point = {x, y};
        host.CNWControlSite::ClientToScreen(point);
        return point;
    };
    auto shown = [&host] {
        UpdateWindow(host.GetSafeHwnd());
        PixelCanvas canvas(TestHost::kWidth, TestHost::kHeight, 0);
        canvas.CopyWindow(host.GetSafeHwnd());
        return std::vector{canvas.At(40, 30), canvas.At(55, 45)};
    };
    realinput::MoveTo(screen(200, 100));
    ASSERT_TRUE(realinput::PumpUntil([&] { return !button->IsHovered(); }));
    EXPECT_EQ(shown(), (std::vector{kRed, kRed})) << "off";
    realinput::MoveTo(screen(48, 38));
    ASSERT_TRUE(realinput::PumpUntil([&] { return button->IsHovered(); }));
    EXPECT_EQ(shown(), (std::vector{kGreen, kGreen})) << "off and hovered";
    realinput::Click(screen(48, 38));
    ASSERT_TRUE(realinput::PumpUntil([&] { return button->GetValue() == 1.0; }));
    EXPECT_EQ(shown(), (std::vector{kBlue, kBlue})) << "on and hovered";
    realinput::MoveTo(screen(200, 100));
    ASSERT_TRUE(realinput::PumpUntil([&] { return !button->IsHovered(); }));
    EXPECT_EQ(shown(), (std::vector{kBlue, kBlue})) << "on";
}

// The push button's calls to its site, press and release given directly. (The page makes
// push buttons only.)
TEST(ButtonTypes, APushButtonActsOnTheReleaseOfItsOwnPressInside) {
    struct Row {
        const char* name;
        bool press;  // false: the release arrives without a press of this button
        POINT release;
        double value;
        std::string log;
    };
    // clang-format off
    const Row rows[] = {
        {"acts on release inside", true, {5, 5}, 1.0, "begin 10 | end 10, state 10, begin 10, value 10, text 10, action 10 keys 0, end 10, state 10, tracking"},
        {"released outside", true, {50, 5}, 0.0, "begin 10 | end 10, state 10, begin 10, end 10, state 10, tracking"},
        {"a release without its press", false, {5, 5}, 0.0, " | tracking"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        CNWMultiBtn* button = AddButton(host, {0, 0});
        if (row.press) button->OnLButtonDown(0, {5, 5});
        std::string log = host.TakeLog() + " | ";
        button->OnLButtonUp(0, row.release);
        EXPECT_EQ(log + host.TakeLog(), row.log);
        EXPECT_EQ(button->GetValue(), row.value);
        EXPECT_FALSE(button->IsPressed());
    }
}

// Regression: the release after a double-click reached the push button without a press and
// flipped it a third time.
TEST(ButtonTypes, ADoubleClickFlipsAPushButtonTwice) {
    ButtonHost host;
    CNWMultiBtn* button = AddButton(host, {10, 10}, 1);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        host.Mouse(message, 15, 15);
    }
    EXPECT_EQ(button->GetValue(), 0.0);
    const std::string log = host.TakeLog();
    size_t actions = 0;
    for (size_t at = 0; (at = log.find("action", at)) != std::string::npos; ++at) ++actions;
    EXPECT_EQ(actions, 2u) << log;
}

TEST(ButtonActions, OffOnAndFlipNotifyOnlyRealChanges) {
    struct Row {
        const char* name;
        int action;
        double start, value;
        int handled;
        const char* log;
    };
    const char* const kOn = "begin 10, value 10, text 10, end 10, state 10, action 10 keys 0";
    const Row rows[] = {
        {"1 switches off", 1, 1, 0, 1, kOn},
        {"3 when already off", 3, 0, 0, 1, "begin 10, end 10, state 10"},
        {"2 switches on", 2, 0, 1, 1, kOn},
        {"6 when already on", 6, 1, 1, 1, "begin 10, end 10, state 10"},
        {"7 flips on", 7, 0, 1, 1, kOn},
        {"7 flips off", 7, 1, 0, 1, kOn},
        {"8 offers the menu", 8, 0, 0, 1, "menu 10 flags 0 items 4"},
        {"9 is not handled", 9, 0, 0, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        CNWMultiBtn* button = AddButton(host, {0, 0});
        button->SetValue(row.start, 0, 1);
        host.TakeLog();
        EXPECT_EQ(button->DoAction(row.action), row.handled);
        EXPECT_EQ(button->GetValue(), row.value);
        EXPECT_EQ(host.TakeLog(), row.log);
    }
    ButtonHost host(false);
    CNWMultiBtn* disabled = AddButton(host, {0, 0});
    disabled->SetEnabled(false);
    EXPECT_EQ(disabled->DoAction(7), 0);
    EXPECT_EQ(host.TakeLog(), "");
}
