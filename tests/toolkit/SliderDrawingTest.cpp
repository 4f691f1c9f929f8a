// Drawing of the sliders as the page configures them (vertical, hollow, enabled), read back
// pixel by pixel and compared with pictures painted from their geometry: the single slider's
// 3-pixel segments lit from the origin to the value and its value text kept inside the
// control; the range slider's frame narrowed for the markers, the segments between the handles
// and the two arrow markers. The page's golden pictures show one state of each; these rows
// hold the ends and the origin. Options the page never sets are not drawn here.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/PixelCheck.h"
#include "support/SliderHost.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr int kSize = 100;
// The page's single slider is 34 x 80, its range slider 42 x 80. Inside the 2-pixel margins
// the track is 76 pixels long, which makes 25 segments of 3 pixels.
constexpr RECT kSingle = {10, 10, 44, 90};
constexpr RECT kRange = {10, 10, 52, 90};

RECT Inner(const RECT& frame) {
    return {frame.left + 2, frame.top + 2, frame.right - 2, frame.bottom - 2};
}

// Draw gives `picture`. (DrawEx through other graphics the product never calls.)
void ExpectDrawn(TestHost& host, ExpectedPicture& picture) {
    PixelCanvas drawn(kSize, kSize, kBackground);
    host.DrawControls(drawn.Dc());
    EXPECT_TRUE(SamePixels(drawn, picture));
}

}  // namespace

TEST(SliderDrawing, TheSegmentsFromTheOriginToTheValueLandOnTheGeometrysPixels) {
    struct Row {
        const char* name;
        double value, origin;
        int firstLit, lastLit;  // counted from the bottom
    };
    const Row rows[] = {
        {"at 0 from origin 0", 0.0, 0.0, 0, 0},       {"at 0.5 from origin 0", 0.5, 0.0, 0, 12},
        {"at 1 from origin 0", 1.0, 0.0, 0, 24},      {"at 0 from origin 0.5", 0.0, 0.5, 0, 12},
        {"at 0.5 from origin 0.5", 0.5, 0.5, 12, 12}, {"at 1 from origin 0.5", 1.0, 0.5, 12, 24},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SliderHost host(false);
        CNWSliderCtrl* slider = host.AddSlider(kSingle, PageStyleWithoutText());
        slider->SetOrigin(row.origin);
        slider->SetValue(row.value, 0, 1);
        ExpectedPicture picture(kSize, kSize, kBackground);
        picture.Outline(kSingle, kBorder);
        for (int i = row.firstLit; i <= row.lastLit; ++i) {
            ExpectSegment(picture, Inner(kSingle), i, kLit, kSeparator);
        }
        ExpectDrawn(host, picture);
    }
}

// The text box is as high as "(0000)" in the current font plus 2 pixels, centred on the
// value's position, as wide as the control, and moved back inside the control where it would
// stick out. The text is drawn before the segments, which cover it.
TEST(SliderDrawing, TheValueTextIsCentredOnTheValueAndKeptInsideTheControl) {
    struct Row {
        const char* name;
        double maximum, value;
        const wchar_t* text;
        LONG position;  // the value's position along the track
    };
    const Row rows[] = {
        {"at the top the box moves down inside", 1, 1.0, L"1", 12},
        {"at the bottom the box moves up inside", 1, 0.0, L"0", 88},
        {"a range of 0 to 127", 127, 100, L"100", 29},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SliderHost host(false);
        CNWSliderCtrl* slider = host.AddSlider(kSingle, PageStyle());
        slider->SetRange(0, row.maximum);
        slider->SetValue(row.value, 0, 1);
        ExpectedPicture picture(kSize, kSize, kBackground);
        picture.Outline(kSingle, kBorder);
        CDC& dc = picture.Canvas().Dc();
        const LONG height = dc.GetTextExtent(L"(0000)").cy + 2;
        RECT box = kSingle;
        box.top = std::max(row.position - height / 2, kSingle.top);
        box.bottom = std::min(box.top + height, kSingle.bottom);
        box.top = box.bottom - height;
        SetBkMode(dc.GetSafeHdc(), TRANSPARENT);
        dc.SetTextColor(PageStyle().colors[3]);
        dc.DrawText(row.text, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        const int segment = std::min(static_cast<int>(25 * row.value / row.maximum), 24);
        for (int i = 0; i <= segment; ++i)
            ExpectSegment(picture, Inner(kSingle), i, kLit, kSeparator);
        ExpectDrawn(host, picture);
    }
}

// The frame is narrowed by 4 pixels on each side for the markers. The low marker is a 2 x 5
// block on the frame's left edge whose bottom is 3 x segLow above the control's bottom, with
// pixels at x + 2 on its three middle rows and at x + 3 on its centre row; the high marker
// mirrors it on the right edge, its top 3 x (segHigh + 2) above the bottom.
TEST(RangeSliderDrawing, FrameSegmentsAndMarkersLandOnTheGeometrysPixels) {
    struct Row {
        const char* name;
        double low, high;
        int segLow, segHigh;  // on a track of 25 segments
    };
    const Row rows[] = {
        {"a quarter to three quarters", 0.25, 0.75, 6, 18},
        {"the whole range, markers inside", 0.0, 1.0, 0, 24},
        {"one point", 0.5, 0.5, 12, 12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SliderHost host(false);
        CNWMinMaxSlider* slider = host.AddRangeSlider(kRange);
        slider->SetHigh(row.high, 0, 1);
        slider->SetLow(row.low, 0, 1);
        ExpectedPicture picture(kSize, kSize, kBackground);
        const RECT frame = {kRange.left + 4, kRange.top, kRange.right - 4, kRange.bottom};
        picture.Outline(frame, kBorder);
        for (int i = row.segLow; i <= row.segHigh; ++i) {
            ExpectSegment(picture, Inner(frame), i, kLit, kSeparator);
        }
        const RECT& r = kRange;
        const LONG lowBottom = r.bottom - 3 * row.segLow;
        picture.Fill({r.left, lowBottom - 5, r.left + 2, lowBottom}, kLit);
        picture.Fill({r.left + 2, lowBottom - 4, r.left + 3, lowBottom - 1}, kLit);
        picture.Pixel(r.left + 3, lowBottom - 3, kLit);
        const LONG highTop = r.bottom - 3 * (row.segHigh + 2);
        picture.Fill({r.right - 2, highTop, r.right, highTop + 5}, kLit);
        picture.Fill({r.right - 3, highTop + 1, r.right - 2, highTop + 4}, kLit);
        picture.Pixel(r.right - 4, highTop + 2, kLit);
        ExpectDrawn(host, picture);
    }
}
