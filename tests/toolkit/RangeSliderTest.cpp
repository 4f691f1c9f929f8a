// The range slider's behaviour, driven through its handlers: SetLow and SetHigh keeping the
// pair ordered (or crossed where that is allowed), the choice of the handle a press grabs, and
// dragging either handle. The real mouse drives it in SliderMouseTest.cpp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/SliderHost.h"

namespace {

const char* const kNotified = "begin 10, value 10, text 10, end 10, state 10";
const char* const kCarried = "begin 10, text 10, value 10, text 10, end 10, state 10";
const char* const kBracket = "begin 10, end 10, state 10";

struct EndRow {
    const char* name;
    bool allowCrossing;
    bool enabled;
    char end;  // 'L' SetLow, 'H' SetHigh
    double requested;
    int notify;
    int result;
    double low;
    double high;
    const char* log;
};

}  // namespace

// From low 0.25 and high 0.75. Neither end is clamped or quantised: the callers clamp.
TEST(RangeSliderEnds, SetLowAndSetHighKeepThePairOrderedUnlessCrossingIsAllowed) {
    const EndRow rows[] = {
        {"low inside", false, true, 'L', 0.5, 1, 1, 0.5, 0.75, kNotified},
        {"high inside", false, true, 'H', 0.5, 1, 1, 0.25, 0.5, kNotified},
        {"low above high carries it", false, true, 'L', 0.9, 1, 1, 0.9, 0.9, kCarried},
        {"high below low pushes it", false, true, 'H', 0.1, 1, 1, 0.1, 0.1, kCarried},
        {"crossing: low passes high", true, true, 'L', 0.9, 1, 1, 0.9, 0.75, kNotified},
        {"crossing: high passes low", true, true, 'H', 0.1, 1, 1, 0.25, 0.1, kNotified},
        {"unchanged: bracket only", false, true, 'L', 0.25, 1, 1, 0.25, 0.75, kBracket},
        {"silent: text only", false, true, 'L', 0.5, 0, 1, 0.5, 0.75, "text 10"},
        {"silent and carried", false, true, 'L', 0.9, 0, 1, 0.9, 0.9, "text 10, text 10"},
        {"not clamped", false, true, 'L', -0.5, 0, 1, -0.5, 0.75, "text 10"},
        {"disabled, notified: refused", false, false, 'H', 0.5, 1, 0, 0.25, 0.75, ""},
        {"disabled, silent: taken", false, false, 'H', 0.5, 0, 1, 0.25, 0.5, "text 10"},
    };
    for (const EndRow& row : rows) {
        SCOPED_TRACE(row.name);
        SliderHost host(false);
        CNWMinMaxSlider* slider = host.AddRangeSlider({0, 0, 42, 80});
        slider->SetQuantSteps(4);  // never applied to either end
        slider->SetAllowCrossing(row.allowCrossing);
        slider->SetLow(0.25, 0, 1);
        slider->SetHigh(0.75, 0, 1);
        slider->SetEnabled(row.enabled);
        host.TakeLog();
        const int result = row.end == 'L' ? slider->SetLow(row.requested, row.notify, 1)
                                          : slider->SetHigh(row.requested, row.notify, 1);
        EXPECT_EQ(result, row.result);
        EXPECT_DOUBLE_EQ(slider->GetLow(), row.low);
        EXPECT_DOUBLE_EQ(slider->GetHigh(), row.high);
        EXPECT_EQ(host.TakeLog(), row.log);
        EXPECT_EQ(slider->IsCrossed(), row.allowCrossing && row.low > row.high);
    }
}

namespace {

struct HandleRow {
    const char* name;
    bool horizontal;
    double low;
    double high;
    LONG pointer;  // along the track
    int grabbedLow;
};

}  // namespace

// On a track of 76 pixels (80 less the margins) 0.25 lies at pixel 59 and 0.75 at pixel 21
// counted from the top; from the left, at 21 and 59.
TEST(RangeSliderHandles, APressGrabsTheNearerHandleAndATieTheHighOne) {
    const HandleRow rows[] = {
        {"exactly halfway", false, 0.25, 0.75, 40, 0},
        {"one pixel nearer the low", false, 0.25, 0.75, 41, 1},
        {"one pixel nearer the high", false, 0.25, 0.75, 39, 0},
        {"below the track", false, 0.25, 0.75, 79, 1},
        {"above the track", false, 0.25, 0.75, 0, 0},
        {"equal ends, below", false, 0.5, 0.5, 79, 0},
        {"equal ends, above", false, 0.5, 0.5, 1, 0},
        {"horizontal, halfway", true, 0.25, 0.75, 40, 0},
        {"horizontal, nearer the low", true, 0.25, 0.75, 39, 1},
        {"horizontal, nearer the high", true, 0.25, 0.75, 41, 0},
    };
    InputSourceOverride source(IMDT_TOUCH);  // no cursor warp while nothing pumps
    for (const HandleRow& row : rows) {
        SCOPED_TRACE(row.name);
        SliderHost host(false);
        CNWMinMaxSlider* slider = host.AddRangeSlider({0, 0, 42, 80});
        slider->SetHorizontal(row.horizontal);
        slider->SetRect(row.horizontal ? RECT{0, 0, 80, 42} : RECT{0, 0, 42, 80});
        slider->SetHigh(row.high, 0, 1);
        slider->SetLow(row.low, 0, 1);
        EXPECT_EQ(slider->TrackPixel(0.25), row.horizontal ? 21 : 59);
        EXPECT_EQ(slider->TrackPixel(0.75), row.horizontal ? 59 : 21);
        slider->OnLButtonDown(0, row.horizontal ? POINT{row.pointer, 20} : POINT{20, row.pointer});
        EXPECT_EQ(slider->GetGrabbedLow(), row.grabbedLow);
        slider->OnLButtonUp(0, {0, 0});
    }
}

namespace {

struct RangeDragRow {
    const char* name;
    bool allowCrossing;
    double sensitivity;
    double low;
    double high;
    double pressedEnd;  // the value at whose pixel the press happens
    LONG up;            // pixels moved up in one move (negative: down)
    int grabbedLow;
    double lowAfter;
    double highAfter;
};

}  // namespace

// Vertical range slider; each move is followed by the move its cursor warp causes.
TEST(RangeSliderDrag, TheGrabbedHandleMovesByDistanceAndCarriesTheOtherOne) {
    const RangeDragRow rows[] = {
        {"the low handle follows", false, 1, 0.25, 0.75, 0.25, 32, 1, 0.5, 0.75},
        {"the high handle follows", false, 1, 0.25, 0.75, 0.75, -32, 0, 0.25, 0.5},
        {"the low handle carries the high one", false, 1, 0.25, 0.5, 0.25, 48, 1, 0.625, 0.625},
        {"the high handle pushes the low one", false, 1, 0.25, 0.5, 0.5, -48, 0, 0.125, 0.125},
        {"crossing allowed: the low passes", true, 1, 0.25, 0.5, 0.25, 48, 1, 0.625, 0.5},
        {"clamped at the top", false, 1, 0.25, 0.75, 0.75, 300, 0, 0.25, 1.0},
        {"clamped at the bottom", false, 1, 0.25, 0.75, 0.25, -300, 1, 0.0, 0.75},
        {"sensitivity doubles", false, 2, 0.25, 0.75, 0.25, 16, 1, 0.5, 0.75},
    };
    InputSourceOverride source(IMDT_MOUSE);
    for (const RangeDragRow& row : rows) {
        SCOPED_TRACE(row.name);
        SliderHost host;
        CNWMinMaxSlider* slider = host.AddRangeSlider({20, 20, 62, 100});
        slider->SetAllowCrossing(row.allowCrossing);
        slider->SetSensitivity(row.sensitivity);
        slider->SetHigh(row.high, 0, 1);
        slider->SetLow(row.low, 0, 1);
        const POINT press = {40, slider->TrackPixel(row.pressedEnd)};
        slider->OnLButtonDown(0, press);
        EXPECT_EQ(slider->GetGrabbedLow(), row.grabbedLow);
        slider->OnMouseMove(0, {press.x, press.y - row.up});
        EXPECT_TRUE(slider->SkipsNextMove());
        POINT cursor = {};
        GetCursorPos(&cursor);
        EXPECT_EQ(XY(cursor), XY(host.ToScreen(press))) << "the cursor is back at the press";
        slider->OnMouseMove(0, press);
        slider->OnLButtonUp(0, press);
        EXPECT_DOUBLE_EQ(slider->GetLow(), row.lowAfter);
        EXPECT_DOUBLE_EQ(slider->GetHigh(), row.highAfter);
        EXPECT_EQ(slider->IsCrossed(), row.lowAfter > row.highAfter);
    }
}

// A press re-sends the grabbed end (the page's style asks for it), so an owner whose value text
// was cleared hears of it again; a double-click is ignored; action 7 goes to the owner.
TEST(RangeSliderEvents, PressReleaseActionAndTheIgnoredDoubleClick) {
    InputSourceOverride source(IMDT_TOUCH);
    SliderHost host(false);
    CNWMinMaxSlider* slider = host.AddRangeSlider({0, 0, 42, 80});
    slider->SetValueText(L"");
    host.TakeLog();
    slider->OnLButtonDown(0, {20, 2});
    EXPECT_EQ(host.TakeLog(), "begin 10, text 10, cursor hidden");
    EXPECT_EQ(slider->GetValueText(), L"0/100");
    slider->OnLButtonUp(0, {20, 2});
    EXPECT_EQ(host.TakeLog(), "end 10, state 10, tracking end, cursor shown");
    slider->OnLButtonDblClk(0, {20, 79});
    EXPECT_FALSE(slider->IsPressed());
    EXPECT_EQ(slider->DoAction(7), 1);
    EXPECT_EQ(host.TakeLog(), "action 10 flags 0") << "nothing from the double-click";
    slider->SetEnabled(false);
    EXPECT_EQ(slider->DoAction(7), 0);
    slider->OnLButtonDown(0, {20, 79});
    EXPECT_FALSE(slider->IsPressed());
    EXPECT_EQ(host.TakeLog(), "");
}

namespace {

struct KeyRow {
    const char* name;
    std::vector<UINT> keys;
    int lastResult;
    double low;
    double high;
    int grabbedLow;
};

}  // namespace

// From low 0.25 and high 0.75: the keys move the low end until Space switches to the high end,
// by the line step (1/127) or the page step (1/30), and the ends never cross.
TEST(RangeSliderKeys, KeysMoveTheFocusedEndAndSpaceSwitchesEnds) {
    const double line = 1.0 / 127;
    const KeyRow rows[] = {
        {"Up raises the low end", {VK_UP}, 1, 0.25 + line, 0.75, 1},
        {"Space, Down lowers the high end", {VK_SPACE, VK_DOWN}, 1, 0.25, 0.75 - line, 0},
        {"Page Up", {VK_PRIOR}, 1, 0.25 + 1.0 / 30, 0.75, 1},
        {"Home", {VK_HOME}, 1, 0.0, 0.75, 1},
        {"End carries the high end", {VK_END}, 1, 1.0, 1.0, 1},
        {"Space, Home pushes the low end", {VK_SPACE, VK_HOME}, 1, 0.0, 0.0, 0},
        {"Space twice: the low end again", {VK_SPACE, VK_SPACE, VK_LEFT}, 1, 0.25 - line, 0.75, 1},
        {"a letter is not used", {'A'}, 0, 0.25, 0.75, 0},
    };
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(row.name);
        SliderHost host(false);
        CNWMinMaxSlider* slider = host.AddRangeSlider({0, 0, 42, 80});
        slider->SetLow(0.25, 0, 1);
        slider->SetHigh(0.75, 0, 1);
        int result = -1;
        for (UINT key : row.keys) result = slider->OnKeyDown(key, 0);
        EXPECT_EQ(result, row.lastResult);
        EXPECT_DOUBLE_EQ(slider->GetLow(), row.low);
        EXPECT_DOUBLE_EQ(slider->GetHigh(), row.high);
        EXPECT_EQ(slider->GetGrabbedLow(), row.grabbedLow);
    }
}
