// Drawing: which controls the site draws and in what order. Pixels are read back with
// GetDIBits. The memory DC and paints of a part the page's
// paint tests show.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/TestHost.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);

// A red and a green control overlapping, a blue one apart.
struct Scene {
    TestHost host{false};
    PixelCanvas canvas{TestHost::kWidth, TestHost::kHeight, kBackground};
    TestControl* red = host.Add({20, 10, 60, 50}, kRed);
    TestControl* green = host.Add({50, 30, 100, 70}, kGreen);
    TestControl* blue = host.Add({150, 10, 200, 40}, kBlue);
};

}  // namespace

TEST(SiteDrawing, ControlsLandOnTheirOwnPixelsInListOrder) {
    Scene s;
    s.host.DrawControls(s.canvas.Dc());
    const std::pair<POINT, COLORREF> cases[] = {
        {{20, 10}, kRed},          {{49, 29}, kRed},   {{19, 10}, kBackground},
        {{20, 9}, kBackground},    {{99, 69}, kGreen}, {{100, 69}, kBackground},
        {{99, 70}, kBackground},   {{150, 10}, kBlue}, {{199, 39}, kBlue},
        {{120, 100}, kBackground},
    };
    for (const auto& [point, color] : cases) {
        EXPECT_EQ(s.canvas.At(point.x, point.y), color) << point.x << "," << point.y;
    }
    EXPECT_EQ(s.canvas.At(55, 35), kGreen) << "the overlap";
    for (TestControl* control : {s.red, s.green, s.blue}) EXPECT_EQ(control->drawCount, 1);
}

// The green control is hidden and the clip leaves out the blue one: only the red one is drawn.
// (Corner marks and focus frames the page never asks for; without them its golden pictures
// show none.)
TEST(SiteDrawing, OnlyShownControlsInsideTheClipAreDrawn) {
    Scene s;
    s.green->SetVisible(false);
    HRGN clip = CreateRectRgn(0, 0, 120, TestHost::kHeight);
    SelectClipRgn(s.canvas.Dc().GetSafeHdc(), clip);
    DeleteObject(clip);
    s.host.DrawControls(s.canvas.Dc());
    EXPECT_EQ(s.canvas.At(80, 60), kBackground);
    EXPECT_EQ((std::vector{s.red->drawCount, s.green->drawCount, s.blue->drawCount}),
              (std::vector{1, 0, 0}));
}
