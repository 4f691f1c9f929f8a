// Bitmap buttons: which frame of the strip stands for which state, how the strip is cut, the
// frames on real pixels under the real mouse, when each button type acts, and DoAction.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ButtonResourceIds.h"
#include "controls/BitmapCache.h"
#include "controls/NWMultiBtn.h"
#include "support/ButtonHost.h"
#include "guisupport/RealInput.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A button as the page makes it: (site, 9, 1), the strip with mask 13, at (x, y).
CNWMultiBtn* AddButton(ButtonHost& host, POINT at, int32_t type = 1, uint32_t mask = 13) {
    auto* button = new CNWMultiBtn(host, 9, type);
    button->SetBitmap(IDB_BUTTON_STRIP, mask, 1, 0);
    button->SetStyle(NWControlStyle::Defaults());
    host.AddControl(button, 1, 0);
    button->SetRect({at.x, at.y, at.x, at.y});
    button->SetValue(0, 0, 1);
    host.TakeLog();
    return button;
}

}  // namespace

TEST(ButtonFrames, EveryStateMaskPicksItsFrame) {
    using B = CNWMultiBtn;
    struct Row {
        const char* name;
        uint32_t mask;
        double value;
        bool enabled, pressed, hovered;
        uint32_t frame;
    };
    const Row rows[] = {
        {"off", 13, 0, true, false, false, B::kNormal},
        {"off and hovered", 13, 0, true, false, true, B::kHover},
        {"on", 13, 1, true, false, false, B::kOn},
        {"on and hovered stays on", 13, 1, true, false, true, B::kOn},
        {"pressed without a pressed frame", 13, 0, true, true, false, B::kNormal},
        {"0.5 counts as on without a middle bit", 13, 0.5, true, false, false, B::kOn},
        {"0.5 is the middle with a middle bit", 0x10D, 0.5, true, false, false, B::kMiddle},
        {"middle hovered without its frame", 0x10D, 0.5, true, false, true, B::kMiddle},
        {"middle hovered with its frame", 0x50D, 0.5, true, false, true, B::kMiddleHover},
        {"on and pressed", 0x1B, 1, true, true, false, B::kOnPressed},
        {"off and pressed", 0x1B, 0, true, true, true, B::kPressed},
        {"disabled off", 0x89, 0, false, false, false, B::kDisabled},
        {"disabled on without its frame", 0x89, 1, false, false, false, B::kOn},
        {"disabled on with its frame", 0xC9, 1, false, false, false, B::kOnDisabled},
        {"disabled middle", 0x989, 0.5, false, false, false, B::kMiddleDisabled},
        {"disabled without a disabled frame", 13, 0, false, false, true, B::kHover},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        CNWMultiBtn* button = AddButton(host, {0, 0}, 1, row.mask);
        button->SetValue(row.value, 0, 1);
        if (row.pressed) button->OnLButtonDown(0, {1, 1});
        if (row.hovered) button->OnMouseEnter();
        button->SetEnabled(row.enabled);
        EXPECT_EQ(button->ChooseFrame(), row.frame);
    }
}

TEST(ButtonFrames, TheStripIsCutIntoOneFramePerStateBit) {
    struct Row {
        const char* name;
        uint32_t mask;
        uint16_t rows, row;
        const SIZE* given;
        int32_t count;
        SIZE frame;
        std::vector<int> offsets;  // of kNormal, kHover, kOn
        LONG top;                  // of the rectangle's size: the frame's
    };
    const SIZE given = {10, 12};
    const Row rows[] = {
        {"mask 13: three frames", 13, 1, 0, nullptr, 3, {16, 16}, {0, 16, 32}, 16},
        {"mask 9: two wide frames", 9, 1, 0, nullptr, 2, {24, 16}, {0, 0, 24}, 16},
        {"two rows", 13, 2, 1, nullptr, 3, {16, 8}, {0, 16, 32}, 8},
        {"a given frame size", 13, 1, 0, &given, 3, {10, 12}, {0, 10, 20}, 12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        CNWMultiBtn button(host, 9, 1);
        button.SetRect({5, 6, 100, 100});
        button.SetBitmap(IDB_BUTTON_STRIP, row.mask, row.rows, row.row, row.given);
        EXPECT_EQ(button.GetFrameCount(), row.count);
        EXPECT_EQ(button.GetFrameSize().cx, row.frame.cx);
        EXPECT_EQ(button.GetFrameSize().cy, row.frame.cy);
        EXPECT_EQ((std::vector{button.FrameOffset(CNWMultiBtn::kNormal),
                               button.FrameOffset(CNWMultiBtn::kHover),
                               button.FrameOffset(CNWMultiBtn::kOn)}),
                  row.offsets);
        const RECT rect = button.GetRect();
        EXPECT_EQ((std::vector<LONG>{rect.left, rect.top, rect.right, rect.bottom}),
                  (std::vector<LONG>{5, 6, 5 + row.frame.cx, 6 + row.top}));
    }
}

TEST(ButtonFrames, ButtonsShareOneCachedStripUntilTheLastGoes) {
    ButtonHost host(false);
    CNWMultiBtn* first = AddButton(host, {0, 0});
    auto* second = new CNWMultiBtn(host, 9, 1);
    second->SetBitmap(IDB_BUTTON_STRIP, 13, 1, 0);
    second->SetBitmap(IDB_BUTTON_STRIP, 13, 1, 0);
    EXPECT_EQ(CBitmapCache::Instance().GetRefCount(IDB_BUTTON_STRIP), 2) << "same id: no-op";
    delete second;
    EXPECT_EQ(CBitmapCache::Instance().GetRefCount(IDB_BUTTON_STRIP), 1);
    EXPECT_EQ(first->GetBitmapId(), static_cast<uint32_t>(IDB_BUTTON_STRIP));
    host.DeleteAllControls();
    EXPECT_FALSE(CBitmapCache::Instance().Contains(IDB_BUTTON_STRIP));
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

// A push button acts only on the release that ends its own press, inside it: a press and
// release outside neither toggles nor notifies.
TEST(ButtonTypesOnScreen, APushButtonActsOnlyWhenPressedAndReleasedInside) {
    struct Row {
        const char* name;
        POINT press, release;
        bool acts;
    };
    const Row rows[] = {
        {"pressed and released inside", {48, 38}, {50, 40}, true},
        {"pressed inside, released outside", {48, 38}, {120, 90}, false},
        {"pressed outside, released inside", {120, 90}, {48, 38}, false},
        {"pressed and released outside", {120, 90}, {130, 90}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host;
        CNWMultiBtn* button = AddButton(host, {40, 30});
        ASSERT_TRUE(realinput::Activate(host.GetSafeHwnd()));
        POINT press = row.press, release = row.release;
        host.CNWControlSite::ClientToScreen(press);
        host.CNWControlSite::ClientToScreen(release);
        realinput::MoveTo(press);
        realinput::Press(press);
        realinput::MoveTo(release);
        realinput::Release(release);
        ASSERT_TRUE(realinput::PumpUntil([&] { return host.buttonUps == 1; }));
        EXPECT_EQ(button->GetValue(), row.acts ? 1.0 : 0.0);
        const std::string log = host.TakeLog();
        EXPECT_EQ(log.find("action") != std::string::npos, row.acts) << log;
        EXPECT_EQ(log.find("value") != std::string::npos, row.acts) << log;
    }
}

// The button's calls to its site, press and release given directly.
TEST(ButtonTypes, EachTypeActsAtItsOwnPoints) {
    struct Row {
        const char* name;
        int32_t type;
        bool press;  // false: the release arrives without a press of this button
        POINT release;
        double value;
        const char* log;
    };
    const Row rows[] = {
        {"latching: acts on press",
         0,
         true,
         {5, 5},
         1.0,
         "begin 10, value 10, text 10, end 10, state 10, action 10 keys 0, begin 10 | "
         "end 10, state 10, tracking"},
        {"push: acts on release inside",
         1,
         true,
         {5, 5},
         1.0,
         "begin 10 | end 10, state 10, begin 10, value 10, text 10, action 10 keys 0, end 10, "
         "state 10, tracking"},
        {"push: released outside",
         1,
         true,
         {50, 5},
         0.0,
         "begin 10 | end 10, state 10, begin 10, end 10, state 10, tracking"},
        {"push: a release without its press", 1, false, {5, 5}, 0.0, " | tracking"},
        {"momentary: acts on press and on any release",
         2,
         true,
         {50, 5},
         0.0,
         "begin 10, value 10, text 10, end 10, state 10, action 10 keys 0, begin 10 | "
         "value 10, text 10, action 10 keys 0, end 10, state 10, tracking"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        CNWMultiBtn* button = AddButton(host, {0, 0}, row.type);
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
        host.trackMenus = false;
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
