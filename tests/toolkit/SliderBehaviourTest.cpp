// The single slider's behaviour, driven through its handlers: setters that clamp, the
// device that decides the cursor warp, dragging by distance, and what the owner hears of
// presses, releases, double-clicks, the right button and actions. The real mouse drives it in
// SliderMouseTest.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "controls/OurToolTipCtrl.h"
#include "support/SliderHost.h"

namespace {

constexpr RECT kVertical = {20, 20, 54, 100};
constexpr RECT kHorizontal = {20, 40, 100, 74};
constexpr POINT kPress = {37, 60};

int CursorDisplayCount() {
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

}  // namespace

// SetSensitivity(20) stores 10.0 and SetSensitivity(0) stores 0.01, on both sliders; the origin
// stays in the range.
TEST(SliderSetters, SensitivityAndOriginAreKeptInBounds) {
    struct Row {
        const char* name;
        double requested;
        double stored;
    };
    const Row rows[] = {
        {"within bounds", 0.5, 0.5}, {"above", 20.0, 10.0},
        {"zero", 0.0, 0.01},         {"negative", -3.0, 0.01},
        {"the upper bound", 10, 10}, {"NaN", std::numeric_limits<double>::quiet_NaN(), 0.01},
    };
    SliderHost host(false);
    CNWSliderCtrl* single = host.AddSlider(kVertical);
    CNWMinMaxSlider* range = host.AddRangeSlider(kVertical);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        single->SetSensitivity(row.requested);
        range->SetSensitivity(row.requested);
        EXPECT_DOUBLE_EQ(single->GetSensitivity(), row.stored);
        EXPECT_DOUBLE_EQ(range->GetSensitivity(), row.stored);
    }
    single->SetRange(-1, 1);
    single->SetOrigin(2.0);
    EXPECT_DOUBLE_EQ(single->GetOrigin(), 1.0);
}

TEST(SliderInputSource, TheMouseAndUnknownDevicesWarpTheCursorOthersDoNot) {
    struct Row {
        const char* name;
        INPUT_MESSAGE_DEVICE_TYPE device;
        bool present;  // false: a system without the query
        bool warps;
    };
    const Row rows[] = {
        {"no query", IMDT_MOUSE, false, true}, {"unknown", IMDT_UNAVAILABLE, true, true},
        {"mouse", IMDT_MOUSE, true, true},     {"touch", IMDT_TOUCH, true, false},
        {"pen", IMDT_PEN, true, false},        {"touchpad", IMDT_TOUCHPAD, true, false},
    };
    SliderHost host;
    CNWSliderCtrl* single = host.AddSlider(kVertical);
    CNWMinMaxSlider* range = host.AddRangeSlider({60, 20, 102, 100});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        InputSourceOverride source(row.device, row.present);
        single->SetEnabled(false);  // decided even for a disabled slider, before anything else
        single->OnLButtonDown(0, kPress);
        EXPECT_EQ(single->WarpsCursor(), row.warps);
        EXPECT_FALSE(single->IsPressed());
        single->SetEnabled(true);
        range->OnLButtonDown(0, {80, 60});
        range->OnLButtonUp(0, {80, 60});
        EXPECT_EQ(range->WarpsCursor(), row.warps);
    }
}

namespace {

struct DragRow {
    const char* name;
    INPUT_MESSAGE_DEVICE_TYPE device;
    bool horizontal;
    double sensitivity;
    double maximum;  // the minimum is 0
    double start;
    std::vector<POINT> moves;  // where the pointer is, as offsets from the press point
    double value;
};

POINT Offset(POINT point, POINT by) { return {point.x + by.x, point.y + by.y}; }

}  // namespace

// After every mouse move that changed the value the cursor is back at the press point, and the
// move that this causes changes nothing.
TEST(SliderDrag, TheValueMovesByTheDistanceTravelled) {
    const DragRow rows[] = {
        {"64 pixels up raise by half the range", IMDT_MOUSE, false, 1, 1, 0.25, {{0, -64}}, 0.75},
        {"300 pixels up stop at max", IMDT_MOUSE, false, 1, 1, 0.25, {{0, -300}}, 1.0},
        {"down stops at min", IMDT_MOUSE, false, 1, 1, 0.25, {{0, 200}}, 0.0},
        {"across the track changes nothing", IMDT_MOUSE, false, 1, 1, 0.25, {{40, 0}}, 0.25},
        {"horizontal: right raises", IMDT_MOUSE, true, 1, 1, 0.25, {{64, 0}}, 0.75},
        {"horizontal: up changes nothing", IMDT_MOUSE, true, 1, 1, 0.25, {{0, -64}}, 0.25},
        {"sensitivity scales", IMDT_MOUSE, false, 0.5, 1, 0.25, {{0, -64}}, 0.5},
        {"the range scales", IMDT_MOUSE, false, 1, 127, 0, {{0, -64}}, 63.5},
        {"unknown device as the mouse", IMDT_UNAVAILABLE, false, 1, 1, 0.25, {{0, -8}}, 0.3125},
        {"mouse: from the press", IMDT_MOUSE, false, 1, 1, .25, {{0, -8}, {0, -8}, {0, -8}}, .4375},
        {"touch: from last", IMDT_TOUCH, false, 1, 1, .25, {{0, -8}, {0, -16}, {0, -24}}, .4375},
        {"pen: back and forth", IMDT_PEN, false, 1, 1, 0.5, {{0, -16}, {0, 0}, {0, 8}}, 0.4375},
    };
    for (const DragRow& row : rows) {
        SCOPED_TRACE(row.name);
        InputSourceOverride source(row.device);
        SliderHost host;
        CNWSliderCtrl* slider = host.AddSlider(kVertical);
        slider->SetHorizontal(row.horizontal);
        slider->SetRect(row.horizontal ? kHorizontal : kVertical);
        slider->SetRange(0, row.maximum);
        slider->SetSensitivity(row.sensitivity);
        slider->SetValue(row.start, 0, 1);
        slider->OnLButtonDown(0, kPress);
        EXPECT_DOUBLE_EQ(slider->GetPressValue(), row.start);
        for (POINT move : row.moves) {
            slider->OnMouseMove(0, Offset(kPress, move));
            const bool moved = row.horizontal ? move.x != 0 : move.y != 0;
            const bool warped = moved && CNWInputSource::WarpsCursor(row.device);
            EXPECT_EQ(slider->SkipsNextMove(), warped);
            if (warped) {
                POINT cursor = {};
                GetCursorPos(&cursor);
                EXPECT_EQ(XY(cursor), XY(host.ToScreen(kPress)));
                const double before = slider->GetValue();
                slider->OnMouseMove(0, kPress);  // the move the warp causes
                EXPECT_DOUBLE_EQ(slider->GetValue(), before);
                EXPECT_FALSE(slider->SkipsNextMove());
            }
        }
        EXPECT_NEAR(slider->GetValue(), row.value, 1e-12);
        slider->OnLButtonUp(0, kPress);
    }
}

namespace {

struct EventRow {
    const char* name;
    bool enabled;
    // d press, m a mouse move 8 pixels up and the move its warp causes, u release, c double-
    // click, r right-button release, 7 and 1 DoAction, x CancelTracking, D disable.
    const char* steps;
    std::string log;
    double value;
    bool pressed;
};

void Play(CNWSliderCtrl& slider, char step) {
    if (step == 'd') slider.OnLButtonDown(0, kPress);
    if (step == 'm') slider.OnMouseMove(0, {kPress.x, kPress.y - 8});
    if (step == 'm') slider.OnMouseMove(0, kPress);
    if (step == 'u') slider.OnLButtonUp(0, kPress);
    if (step == 'c') slider.OnLButtonDblClk(0, kPress);
    if (step == 'r') slider.OnRButtonUp(MK_RBUTTON, kPress);
    if (step == '7' || step == '1') slider.DoAction(step - '0');
    if (step == 'x') slider.CancelTracking();
    if (step == 'D') slider.SetEnabled(false);
}

}  // namespace

// What the owner hears, with the page's style (no tracking tip, resendOnPress). Every row that
// ends unpressed has given the cursor back.
TEST(SliderEvents, TheOwnerHearsEachStepOfADragAndTheOtherInputs) {
    const std::string kRelease = ", end 10, state 10, tracking end, cursor shown";
    const std::string dragged = "begin 10, cursor hidden, value 10, text 10";
    // clang-format off
    const EventRow rows[] = {
        {"a press hides the cursor in a change bracket", true, "d", "begin 10, cursor hidden", 0.25, true},
        {"each move notifies", true, "dm", dragged, 0.3125, true},
        {"the release ends the change and shows the cursor", true, "dmu", dragged + kRelease, 0.3125, false},
        {"a double-click resets to the default, unpressed", true, "c", "begin 10, value 10, text 10", 0.5, false},
        {"the release after a double-click ends its change", true, "cu", "begin 10, value 10, text 10" + kRelease, 0.5, false},
        {"the right button offers a menu", true, "r", "menu 10 flags 2 items 0", 0.25, false},
        {"action 7 goes to the owner", true, "7", "action 10 flags 0", 0.25, false},
        {"action 1 goes to the base", true, "1", "begin 10, value 10, text 10, end 10, state 10", 0.0, false},
        {"cancelling a drag shows the cursor", true, "dx", "begin 10, cursor hidden, end 10, state 10, cursor shown", 0.25, false},
        {"disabled: every input is ignored", false, "dmuc7r1", "", 0.25, false},
        {"disabled mid-drag: the release still gives the cursor back", true, "dDu", "begin 10, cursor hidden, cursor shown", 0.25, false},
    };
    // clang-format on
    InputSourceOverride source(IMDT_MOUSE);
    for (const EventRow& row : rows) {
        SCOPED_TRACE(row.name);
        const int displayCount = CursorDisplayCount();
        SliderHost host;
        CNWSliderCtrl* slider = host.AddSlider(kVertical);
        slider->SetValue(0.25, 0, 1);
        slider->SetEnabled(row.enabled);
        host.TakeLog();
        for (const char* step = row.steps; *step; ++step) Play(*slider, *step);
        EXPECT_EQ(host.TakeLog(), row.log);
        EXPECT_DOUBLE_EQ(slider->GetValue(), row.value);
        EXPECT_EQ(slider->IsPressed(), row.pressed);
        if (!row.pressed) {
            EXPECT_EQ(CursorDisplayCount(), displayCount);
            EXPECT_FALSE(IsMenu(host.lastMenu)) << "a menu offered is destroyed afterwards";
        } else {
            slider->CancelTracking();
        }
    }
}

// The drag shows the tracking tip and hides it again where the style asks for one (the page's
// style does not). The tip's own text and tools are SiteTooltips'.
TEST(SliderEvents, ADragShowsTheTrackingTipWhereTheStyleAsksForIt) {
    InputSourceOverride source(IMDT_MOUSE);
    for (bool tip : {true, false}) {
        SliderHost host;
        CNWSliderCtrl* slider =
            host.AddSlider(kVertical, tip ? NWControlStyle::Defaults() : PageStyle());
        slider->OnLButtonDown(0, kPress);
        EXPECT_EQ(host.GetTooltipCtrl()->IsTracking(), tip);
        slider->OnLButtonUp(0, kPress);
        EXPECT_FALSE(host.GetTooltipCtrl()->IsTracking());
    }
}

// The single slider takes the wheel (ControlMouseWheel's steps; a real wheel in keyboard_e2e's
// wheel case); the range slider does not.
TEST(SliderWheel, TheRangeSliderDoesNotTakeTheWheel) {
    SliderHost host(false);
    CNWMinMaxSlider* range = host.AddRangeSlider({60, 20, 102, 100});
    EXPECT_EQ(range->OnMouseWheel(0, 120), 0);
    EXPECT_DOUBLE_EQ(range->GetLow() + range->GetHigh(), 1.0);
}
