// A slider under the real mouse: SendInput presses, moves and releases the system's pointer
// over a window that hosts it and routes its mouse messages as the editor page does. After every
// move the pointer must be back at the press point and the value must have moved once, by the
// distance travelled. A long drag allocates nothing and leaves no GDI object behind. (The drag
// arithmetic is SliderDrag's table; the page's end-to-end cases drag a range slider and
// double-click a slider with the real pointer.)
#include <gtest/gtest.h>

#include <string>

#include "controls/OurToolTipCtrl.h"
#include "guisupport/RealInput.h"
#include "support/SliderHost.h"

namespace {

int Count(const std::string& log, const std::string& what) {
    int count = 0;
    for (size_t at = log.find(what); at != std::string::npos; at = log.find(what, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace

// Up and down by 4 pixels, a thousand times, painting after each move. Counted from the press
// to the release: operator new calls, and the GDI objects the process holds afterwards.
TEST(SliderRealMouse, AThousandMovesWarpBackChangeOnceAllocateNothingAndLeaveNoGdiObject) {
    SliderHost host;
    CNWSliderCtrl* slider = host.AddSlider({20, 20, 54, 100});
    slider->SetValue(0.5, 0, 1);
    auto drag = [&](POINT client, int moves) {
        const POINT press = host.ToScreen(client);
        realinput::MoveTo(press);
        bool ok = realinput::PumpUntil([&] { return realinput::IsAt(press); });
        realinput::Press(press);
        ok = ok && realinput::PumpUntil([&] { return slider->IsPressed(); });
        for (int i = 0; ok && i < moves; ++i) {
            const double expected = i % 2 == 0 ? 0.53125 : 0.5;
            realinput::MoveTo({press.x, press.y - (i % 2 == 0 ? 4 : -4)});
            // The slider took the move, put the cursor back and swallowed the move this caused.
            ok = realinput::PumpUntil([&] {
                return realinput::IsAt(press) && !slider->SkipsNextMove() &&
                       slider->GetValue() == expected;
            });
            UpdateWindow(host.GetSafeHwnd());
        }
        realinput::Release(press);
        return realinput::PumpUntil([&] { return !slider->IsPressed(); }) && ok;
    };
    // Pressed 10 pixels apart, so that the second press is no double-click.
    ASSERT_TRUE(drag({37, 70}, 2)) << "a first drag makes what is made on first use";
    EXPECT_TRUE(slider->WarpsCursor()) << "the mouse pressed";
    COurToolTipCtrl::PopAll();
    realinput::PumpPending();
    host.log.clear();
    host.log.reserve(1 << 17);
    const size_t gdiBefore = LiveGdiObjects();
    bool dragged = false;
    const long allocations = AllocationCounter::During([&] { dragged = drag({37, 60}, 1000); });
    COurToolTipCtrl::PopAll();
    realinput::PumpPending();
    UpdateWindow(host.GetSafeHwnd());
    ASSERT_TRUE(dragged);
    EXPECT_EQ(Count(host.log, "value 10"), 1000) << "one change per move";
    EXPECT_NE(host.log.find("end 10, state 10, tracking end, cursor shown"), std::string::npos);
    EXPECT_EQ(allocations, 0);
    EXPECT_GT(gdiBefore, 0u) << "the process's GDI objects can be counted";
    EXPECT_EQ(LiveGdiObjects(), gdiBefore);
}
