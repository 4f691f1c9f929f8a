// The sliders under the real mouse: SendInput presses, moves and releases the system's pointer
// over a window that hosts them and routes its mouse messages as the editor page does. After
// every move the pointer must be back at the press point and the value must have moved by the
// distance travelled, once. A long drag allocates nothing and leaves no GDI object behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "controls/OurToolTipCtrl.h"
#include "guisupport/RealInput.h"
#include "support/SliderHost.h"

namespace {

// One pixel of a drag at sensitivity 1 over the range 0 to 1.
constexpr double kQuantum = 1.0 / 128.0;

int Count(const std::string& log, const std::string& what) {
    int count = 0;
    for (size_t at = log.find(what); at != std::string::npos; at = log.find(what, at + 1)) {
        ++count;
    }
    return count;
}

// A press at a client point of the host, with the pointer brought there first.
template <typename Slider>
bool PressAt(SliderHost& host, Slider* slider, POINT client) {
    if (!RealInput::MoveTo(host.ToScreen(client))) return false;
    RealInput::PressLeft();
    return RealInput::PumpUntil([slider] { return slider->IsPressed(); });
}

template <typename Slider>
bool Release(Slider* slider) {
    RealInput::ReleaseLeft();
    return RealInput::PumpUntil([slider] { return !slider->IsPressed(); });
}

// Moves the pointer `up` pixels above the press point and pumps until the slider has taken the
// move, put the cursor back and swallowed the move that this caused, and `settled()` holds.
template <typename Slider, typename Settled>
bool MoveUp(Slider* slider, POINT pressScreen, LONG up, Settled settled) {
    RealInput::SendMove({pressScreen.x, pressScreen.y - up});
    return RealInput::PumpUntil(
        [&] { return RealInput::IsAt(pressScreen) && !slider->SkipsNextMove() && settled(); });
}

}  // namespace

TEST(SliderRealMouse, SixtyFourPixelsUpRaiseByHalfAndThreeHundredStopAtTheTop) {
    SliderHost host;
    CNWSliderCtrl* slider = host.AddSlider({20, 20, 54, 100});
    slider->SetValue(0.25, 0, 1);
    const POINT press = host.ToScreen({37, 60});
    ASSERT_TRUE(PressAt(host, slider, {37, 60}));
    EXPECT_TRUE(slider->WarpsCursor()) << "the mouse pressed";
    host.TakeLog();
    for (int step = 1; step <= 8; ++step) {
        SCOPED_TRACE("8 pixels up, move " + std::to_string(step));
        const double expected = 0.25 + step * 8 * kQuantum;
        ASSERT_TRUE(MoveUp(slider, press, 8,
                           [&] { return std::abs(slider->GetValue() - expected) <= kQuantum; }));
        EXPECT_EQ(XY(RealInput::CursorPos()), XY(press));
        const std::string log = host.TakeLog();
        EXPECT_EQ(Count(log, "value 10"), 1) << "one change per move: " << log;
        EXPECT_GE(Count(log, "move 10"), 2) << "the move and the move the warp caused";
    }
    EXPECT_NEAR(slider->GetValue(), 0.75, kQuantum);
    for (int step = 1; step <= 5; ++step) {
        SCOPED_TRACE("60 pixels up, move " + std::to_string(step));
        ASSERT_TRUE(MoveUp(slider, press, 60, [&] { return slider->GetValue() == 1.0; }));
        EXPECT_EQ(XY(RealInput::CursorPos()), XY(press));
    }
    ASSERT_TRUE(Release(slider));
    EXPECT_DOUBLE_EQ(slider->GetValue(), 1.0) << "300 pixels stop at the top";
    const std::string log = host.TakeLog();
    EXPECT_NE(log.find("end 10, state 10, tracking end, cursor shown"), std::string::npos) << log;
}

TEST(SliderRealMouse, BothHandlesOfARangeFollowAndTheLowOneCarriesTheHighOne) {
    SliderHost host;
    CNWMinMaxSlider* slider = host.AddRangeSlider({20, 20, 62, 100});
    slider->SetHigh(0.5, 0, 1);
    slider->SetLow(0.25, 0, 1);
    // On this track 0.5 lies at y = 60 and 0.25 at y = 79.
    const POINT high = {41, slider->TrackPixel(0.5)};
    ASSERT_TRUE(PressAt(host, slider, high));
    EXPECT_EQ(slider->GetGrabbedLow(), 0);
    for (int step = 1; step <= 2; ++step) {
        const double expected = 0.5 + step * 8 * kQuantum;
        ASSERT_TRUE(MoveUp(slider, host.ToScreen(high), 8, [&] {
            return std::abs(slider->GetHigh() - expected) <= kQuantum;
        })) << step;
    }
    ASSERT_TRUE(Release(slider));
    EXPECT_NEAR(slider->GetHigh(), 0.625, kQuantum);
    EXPECT_DOUBLE_EQ(slider->GetLow(), 0.25);

    const POINT low = {41, slider->TrackPixel(0.25)};
    ASSERT_TRUE(PressAt(host, slider, low));
    EXPECT_EQ(slider->GetGrabbedLow(), 1);
    for (int step = 1; step <= 8; ++step) {
        SCOPED_TRACE("the low handle, move " + std::to_string(step));
        const double expected = 0.25 + step * 8 * kQuantum;
        ASSERT_TRUE(MoveUp(slider, host.ToScreen(low), 8,
                           [&] { return std::abs(slider->GetLow() - expected) <= kQuantum; }));
        EXPECT_EQ(XY(RealInput::CursorPos()), XY(host.ToScreen(low)));
        EXPECT_GE(slider->GetHigh(), slider->GetLow()) << "never crossed";
        EXPECT_NEAR(slider->GetHigh(), std::max(0.625, expected), kQuantum);
    }
    ASSERT_TRUE(Release(slider));
    EXPECT_NEAR(slider->GetLow(), 0.75, kQuantum);
    EXPECT_DOUBLE_EQ(slider->GetHigh(), slider->GetLow()) << "the release leaves low = high";
}

// Up and down by 4 pixels, a thousand times, painting after each move. Counted from the press
// to the release: operator new calls, and the GDI objects the process holds afterwards.
TEST(SliderRealMouse, AThousandMovesAllocateNothingAndLeaveNoGdiObjectBehind) {
    SliderHost host;
    CNWSliderCtrl* slider = host.AddSlider({20, 20, 54, 100});
    slider->SetValue(0.5, 0, 1);
    auto drag = [&](POINT client, int moves) {
        const POINT press = host.ToScreen(client);
        bool ok = PressAt(host, slider, client);
        for (int i = 0; ok && i < moves; ++i) {
            const LONG up = i % 2 == 0 ? 4 : -4;
            const double expected = i % 2 == 0 ? 0.53125 : 0.5;
            ok = MoveUp(slider, press, up, [&] { return slider->GetValue() == expected; });
            UpdateWindow(host.GetSafeHwnd());
        }
        return Release(slider) && ok;
    };
    // Pressed 10 pixels apart, so that the second press is no double-click.
    ASSERT_TRUE(drag({37, 70}, 2)) << "a first drag makes what is made on first use";
    COurToolTipCtrl::PopAll();
    RealInput::PumpPending();
    host.log.clear();
    host.log.reserve(1 << 17);
    const size_t gdiBefore = LiveGdiObjects();
    bool dragged = false;
    const long allocations = AllocationCounter::During([&] { dragged = drag({37, 60}, 1000); });
    COurToolTipCtrl::PopAll();
    RealInput::PumpPending();
    UpdateWindow(host.GetSafeHwnd());
    ASSERT_TRUE(dragged);
    EXPECT_EQ(Count(host.log, "value 10"), 1000);
    EXPECT_EQ(allocations, 0);
    EXPECT_GT(gdiBefore, 0u) << "the process's GDI objects can be counted";
    EXPECT_EQ(LiveGdiObjects(), gdiBefore);
}

// Two clicks in one go, which Windows turns into a press, a release, a double-click and a
// release: the value goes back to its default, and the slider ends unpressed.
TEST(SliderRealMouse, ADoubleClickResetsToTheDefault) {
    SliderHost host;
    CNWSliderCtrl* slider = host.AddSlider({20, 20, 54, 100});
    slider->SetValue(0.9, 0, 1);
    ASSERT_TRUE(RealInput::MoveTo(host.ToScreen({37, 30})));
    host.TakeLog();
    RealInput::DoubleClick();
    ASSERT_TRUE(RealInput::PumpUntil([&] { return Count(host.log, "up 10") == 2; }));
    EXPECT_DOUBLE_EQ(slider->GetValue(), 0.5);
    EXPECT_FALSE(slider->IsPressed());
    EXPECT_EQ(Count(host.log, "dblclk 10"), 1) << host.log;
    EXPECT_EQ(Count(host.log, "cursor hidden"), 1) << "only the first press hides it";
}
