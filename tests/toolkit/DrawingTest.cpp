// Drawing: which controls the site draws and in what order, the corner mark and the focus
// frame. Pixels are read back with GetDIBits. The memory DC and paints of a part the page's
// paint tests show.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "support/TestHost.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kMark = RGB(255, 0, 0);

// A red and a green control overlapping, a blue one apart.
struct Scene {
    explicit Scene(int redHasFocus = 0) : red(host.Add({20, 10, 60, 50}, kRed, 1, redHasFocus)) {}

    TestHost host{false};
    PixelCanvas canvas{TestHost::kWidth, TestHost::kHeight, kBackground};
    TestControl* red;
    TestControl* green = host.Add({50, 30, 100, 70}, kGreen);
    TestControl* blue = host.Add({150, 10, 200, 40}, kBlue);
};

}  // namespace

TEST(SiteDrawing, ControlsLandOnTheirOwnPixelsInListOrderWithTheFocusControlLast) {
    for (int redHasFocus : {0, 1}) {
        Scene s(redHasFocus);
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
        EXPECT_EQ(s.canvas.At(55, 35), redHasFocus ? kRed : kGreen) << "the overlap";
        for (TestControl* control : {s.red, s.green, s.blue}) EXPECT_EQ(control->drawCount, 1);
    }
}

// The green control is hidden and the clip leaves out the blue one: only the red one is drawn,
// with its corner mark in the corner that the mark's size signs, and its focus frame one pixel
// inside where its style asks for one.
TEST(SiteDrawing, OnlyShownControlsInsideTheClipAreDrawnWithTheirMarkAndFocusFrame) {
    using Case = std::tuple<int32_t, int32_t, POINT, POINT>;  // width, height, marked, unmarked
    const Case cases[] = {
        {5, 4, {20, 10}, {25, 10}},
        {5, 4, {24, 13}, {24, 14}},
        {-5, -4, {59, 49}, {54, 49}},
        {-5, -4, {55, 46}, {55, 45}},
    };
    for (const auto& [width, height, marked, unmarked] : cases) {
        Scene s;
        s.red->SetFocusState(true, false);
        s.green->SetVisible(false);
        HRGN clip = CreateRectRgn(0, 0, 120, TestHost::kHeight);
        SelectClipRgn(s.canvas.Dc().GetSafeHdc(), clip);
        DeleteObject(clip);
        s.red->SetCornerMark(1);
        s.red->SetMarkSize(width, height);
        NWControlStyle focusFrame = NWControlStyle::Defaults();
        focusFrame.SetOption(NWControlStyle::kFocusFrame, width > 0 ? 1 : 0);
        focusFrame.fieldMask = 1u << 9;
        s.red->SetStyle(focusFrame);
        s.host.DrawControls(s.canvas.Dc());
        EXPECT_EQ(s.canvas.At(marked.x, marked.y), kMark) << marked.x << "," << marked.y;
        EXPECT_EQ(s.canvas.At(unmarked.x, unmarked.y), kRed) << unmarked.x << "," << unmarked.y;
        int dotted = 0;
        for (int x = 26; x < 58; ++x) dotted += s.canvas.At(x, 11) != kRed ? 1 : 0;
        EXPECT_EQ(dotted > 10, width > 0) << "the focus frame, one pixel inside";
        EXPECT_EQ(s.canvas.At(80, 60), kBackground);
        EXPECT_EQ((std::vector{s.red->drawCount, s.green->drawCount, s.blue->drawCount}),
                  (std::vector{1, 0, 0}));
    }
}
