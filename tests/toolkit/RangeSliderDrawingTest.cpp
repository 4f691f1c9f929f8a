// Drawing of the range slider, read back pixel by pixel and compared with pictures painted
// from its geometry: the frame (narrowed for the markers), the segments lit between the
// handles (wrapping round when crossed), and the two arrow markers.
#include <gtest/gtest.h>

#include "controls/GDIWrap.h"
#include "support/PixelCheck.h"
#include "support/SliderHost.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr int kWidth = 100;
constexpr int kHeight = 100;
// The page's range slider: 42 x 80.
constexpr RECT kVertical = {10, 10, 52, 90};
constexpr RECT kHorizontal = {10, 30, 90, 72};

struct RangeRow {
    const char* name;
    bool horizontal;
    double low;
    double high;
    bool markers;
    bool crossing;
    bool hollow;
    bool enabled;
    // The expected segment indices of the two ends, on a track of 25 segments.
    int segLow;
    int segHigh;
};

bool Lit(const RangeRow& row, int i) {
    if (!row.horizontal && row.crossing && row.high < row.low) {
        return i < row.segHigh || i > row.segLow;
    }
    return row.segLow <= i && i <= row.segHigh;
}

// Vertical: the low marker is a 2 x 5 block on the control's left edge whose bottom is
// 3 x segLow above the control's bottom, with pixels at x + 2 on its three middle rows and at
// x + 3 on its centre row; the high marker mirrors it on the right edge, its top
// 3 x (segHigh + 2) above the bottom. Horizontal: a 5 x 2 block on the bottom edge at
// x = left + 3 x segLow with a row of 3 and a tip above; the high one on the top edge at
// x = left + 3 x segHigh + 2, pointing down.
void ExpectMarkers(ExpectedPicture& picture, const RangeRow& row, COLORREF lit) {
    if (row.horizontal) {
        const RECT& r = kHorizontal;
        const LONG low = r.left + 3 * row.segLow;
        picture.Fill({low, r.bottom - 2, low + 5, r.bottom}, lit);
        picture.Fill({low + 1, r.bottom - 3, low + 4, r.bottom - 2}, lit);
        picture.Pixel(low + 2, r.bottom - 4, lit);
        const LONG high = r.left + 3 * row.segHigh + 2;
        picture.Fill({high, r.top, high + 5, r.top + 2}, lit);
        picture.Fill({high + 1, r.top + 2, high + 4, r.top + 3}, lit);
        picture.Pixel(high + 2, r.top + 3, lit);
        return;
    }
    const RECT& r = kVertical;
    const LONG lowBottom = r.bottom - 3 * row.segLow;
    picture.Fill({r.left, lowBottom - 5, r.left + 2, lowBottom}, lit);
    picture.Fill({r.left + 2, lowBottom - 4, r.left + 3, lowBottom - 1}, lit);
    picture.Pixel(r.left + 3, lowBottom - 3, lit);
    const LONG highTop = r.bottom - 3 * (row.segHigh + 2);
    picture.Fill({r.right - 2, highTop, r.right, highTop + 5}, lit);
    picture.Fill({r.right - 3, highTop + 1, r.right - 2, highTop + 4}, lit);
    picture.Pixel(r.right - 4, highTop + 2, lit);
}

void Expect(ExpectedPicture& picture, const RangeRow& row) {
    RECT frame = row.horizontal ? kHorizontal : kVertical;
    if (row.markers && row.horizontal) InflateRect(&frame, 0, -4);
    if (row.markers && !row.horizontal) InflateRect(&frame, -4, 0);
    picture.Outline(frame, kBorder);
    if (!row.hollow) {
        picture.Fill({frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1}, kFill);
    }
    const RECT inner = {frame.left + 2, frame.top + 2, frame.right - 2, frame.bottom - 2};
    const COLORREF lit = row.enabled ? kLit : kDisabledLit;
    for (int i = 0; i < 25; ++i) {
        if (Lit(row, i)) ExpectSegment(picture, inner, row.horizontal, i, lit, kSeparator);
    }
    if (row.markers) ExpectMarkers(picture, row, lit);
}

}  // namespace

TEST(RangeSliderDrawing, FrameSegmentsAndMarkersLandOnTheGeometrysPixels) {
    const RangeRow rows[] = {
        {"a quarter to three quarters", false, 0.25, 0.75, true, false, true, true, 6, 18},
        {"without markers", false, 0.25, 0.75, false, false, true, true, 6, 18},
        {"the whole range, markers inside", false, 0.0, 1.0, true, false, true, true, 0, 24},
        {"one point", false, 0.5, 0.5, true, false, true, true, 12, 12},
        {"crossed where allowed: wraps round", false, 0.75, 0.25, true, true, true, true, 18, 6},
        {"filled", false, 0.25, 0.75, true, false, false, true, 6, 18},
        {"disabled", false, 0.25, 0.75, true, false, false, false, 6, 18},
        {"horizontal", true, 0.25, 0.75, true, false, true, true, 6, 18},
        {"horizontal, the whole range", true, 0.0, 1.0, true, false, true, true, 0, 24},
        {"horizontal, crossed: no wrap", true, 0.75, 0.25, true, true, true, true, 18, 6},
    };
    for (const RangeRow& row : rows) {
        SCOPED_TRACE(row.name);
        SliderHost host(false);
        CNWMinMaxSlider* slider = host.AddRangeSlider(kVertical);
        slider->SetHorizontal(row.horizontal);
        slider->SetRect(row.horizontal ? kHorizontal : kVertical);
        slider->SetColors(kFill, kBorder, kLit, kSeparator, kDisabledLit, row.hollow);
        slider->SetShowMarkers(row.markers);
        slider->SetAllowCrossing(row.crossing);
        slider->SetHigh(row.high, 0, 1);
        slider->SetLow(row.low, 0, 1);
        slider->SetEnabled(row.enabled);
        ExpectedPicture picture(kWidth, kHeight, kBackground);
        Expect(picture, row);
        PixelCanvas drawn(kWidth, kHeight, kBackground);
        host.DrawControls(drawn.Dc());
        EXPECT_TRUE(SamePixels(drawn, picture)) << "Draw";
        PixelCanvas throughContext(kWidth, kHeight, kBackground);
        CGDIWrap context(throughContext.Dc());
        host.DrawControlsEx(context);
        EXPECT_TRUE(SamePixels(throughContext, picture)) << "DrawEx through a GDI context";
    }
}

// The range slider's own option: one solid bar between the handles' positions on the track
// (76 pixels inside the margins: 0.25 at 19 and 0.75 at 57 pixels from the inner bottom).
TEST(RangeSliderDrawing, TheSolidOptionFillsBetweenTheHandles) {
    SliderHost host(false);
    CNWMinMaxSlider* slider = host.AddRangeSlider(kVertical);
    slider->SetShowMarkers(0);
    slider->SetSolidFill(1);
    slider->SetLow(0.25, 0, 1);
    slider->SetHigh(0.75, 0, 1);
    ExpectedPicture picture(kWidth, kHeight, kBackground);
    picture.Outline(kVertical, kBorder);
    picture.Fill({12, 88 - 57, 50, 88 - 19}, kLit);
    PixelCanvas drawn(kWidth, kHeight, kBackground);
    host.DrawControls(drawn.Dc());
    EXPECT_TRUE(SamePixels(drawn, picture));
}
