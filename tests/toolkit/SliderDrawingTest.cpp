// Drawing of the single slider, read back pixel by pixel and compared with pictures painted
// from the slider's geometry: the bar (outline, fill), the 3-pixel segments lit from the origin
// to the value, the solid bar, the value text and the corner mark.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "controls/GDIWrap.h"
#include "controls/NWSliderPaint.h"
#include "support/PixelCheck.h"
#include "support/SliderHost.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kWidth = 100;
constexpr int kHeight = 100;
// The page's single slider: 34 x 80. Inside its 2-pixel margins the track is 76 pixels long,
// which makes 25 segments of 3 pixels.
constexpr RECT kVertical = {10, 10, 44, 90};
constexpr RECT kHorizontal = {10, 30, 90, 64};

struct BarRow {
    const char* name;
    double value;
    double origin;
    bool hollow;
    bool enabled;
    bool horizontal;
    COLORREF border;
    LONG thickness;  // 0: as SetRect makes it
    bool cornerMark;
    int firstLit;  // the lit segments, counted from the bottom (or left)
    int lastLit;
};

void ExpectBar(ExpectedPicture& picture, const BarRow& row, const RECT& bar) {
    if (row.border == CNWSliderPaint::kNoColor) {
        // With the null pen, Rectangle fills one pixel less to the right and bottom.
        if (!row.hollow) picture.Fill({bar.left, bar.top, bar.right - 1, bar.bottom - 1}, kFill);
        return;
    }
    picture.Outline(bar, row.border);
    if (!row.hollow) {
        picture.Fill({bar.left + 1, bar.top + 1, bar.right - 1, bar.bottom - 1},
                     row.enabled ? kFill : Halved(kFill));
    }
}

CNWSliderCtrl* MakeSlider(SliderHost& host, const NWControlStyle& style, bool horizontal) {
    CNWSliderCtrl* slider = host.AddSlider(kVertical, style);
    slider->SetHorizontal(horizontal);
    slider->SetRect(horizontal ? kHorizontal : kVertical);
    return slider;
}

}  // namespace

TEST(SliderDrawing, TheBarAndItsSegmentsLandOnTheGeometrysPixels) {
    const COLORREF none = CNWSliderPaint::kNoColor;
    const BarRow rows[] = {
        {"at 0 from origin 0", 0.0, 0.0, true, true, false, kBorder, 0, false, 0, 0},
        {"at 0.5 from origin 0", 0.5, 0.0, true, true, false, kBorder, 0, false, 0, 12},
        {"at 1 from origin 0", 1.0, 0.0, true, true, false, kBorder, 0, false, 0, 24},
        {"at 0 from origin 0.5", 0.0, 0.5, true, true, false, kBorder, 0, false, 0, 12},
        {"at 0.5 from origin 0.5", 0.5, 0.5, true, true, false, kBorder, 0, false, 12, 12},
        {"at 1 from origin 0.5", 1.0, 0.5, true, true, false, kBorder, 0, false, 12, 24},
        {"filled", 0.5, 0.0, false, true, false, kBorder, 0, false, 0, 12},
        {"filled and disabled", 0.5, 0.0, false, false, false, kBorder, 0, false, 0, 12},
        {"hollow and disabled", 1.0, 0.5, true, false, false, kBorder, 0, false, 12, 24},
        {"horizontal", 0.5, 0.0, true, true, true, kBorder, 0, false, 0, 12},
        {"horizontal from the middle", 0.2, 0.5, false, true, true, kBorder, 0, false, 5, 12},
        {"no border", 0.5, 0.0, false, true, false, none, 0, false, 0, 12},
        {"a thinner bar at the right edge, marked", 0.5, 0.0, false, true, false, kBorder, 20, true,
         0, 12},
    };
    for (const BarRow& row : rows) {
        SCOPED_TRACE(row.name);
        SliderHost host(false);
        CNWSliderCtrl* slider = MakeSlider(host, PageStyleWithoutText(), row.horizontal);
        slider->SetColors(kFill, row.border, kLit, kSeparator, kDisabledLit, row.hollow);
        if (row.thickness) slider->SetBarThickness(row.thickness);
        slider->SetCornerMark(row.cornerMark ? 1 : 0);
        slider->SetOrigin(row.origin);
        slider->SetValue(row.value, 0, 1);
        slider->SetEnabled(row.enabled);

        RECT bar = row.horizontal ? kHorizontal : kVertical;
        if (row.thickness) bar.left = bar.right - row.thickness;
        ExpectedPicture picture(kWidth, kHeight, kBackground);
        ExpectBar(picture, row, bar);
        if (row.cornerMark) picture.Fill({bar.left, bar.top, bar.left + 5, bar.top + 4}, kRed);
        const RECT inner = {bar.left + 2, bar.top + 2, bar.right - 2, bar.bottom - 2};
        for (int i = row.firstLit; i <= row.lastLit; ++i) {
            ExpectSegment(picture, inner, row.horizontal, i, row.enabled ? kLit : kDisabledLit,
                          kSeparator);
        }

        PixelCanvas drawn(kWidth, kHeight, kBackground);
        host.DrawControls(drawn.Dc());
        EXPECT_TRUE(SamePixels(drawn, picture)) << "Draw";
        PixelCanvas throughContext(kWidth, kHeight, kBackground);
        CGDIWrap context(throughContext.Dc());
        host.DrawControlsEx(context);
        EXPECT_TRUE(SamePixels(throughContext, picture)) << "DrawEx through a GDI context";
    }
}

// One solid rectangle instead of segments, from the inner bottom (left) to the value's
// position, trunc(76 x value) pixels long; the origin plays no part.
TEST(SliderDrawing, ASolidBarRunsFromTheStartOfTheTrackToTheValue) {
    struct Row {
        const char* name;
        bool horizontal;
        double value;
        RECT solid;
    };
    const Row rows[] = {
        {"vertical at 0.5", false, 0.5, {12, 50, 42, 88}},
        {"vertical at 0.3", false, 0.3, {12, 66, 42, 88}},
        {"horizontal at 0.25", true, 0.25, {12, 32, 31, 62}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SliderHost host(false);
        CNWSliderCtrl* slider = MakeSlider(host, PageStyleWithoutText(), row.horizontal);
        slider->SetSolidFill(1);
        slider->SetOrigin(0.5);
        slider->SetValue(row.value, 0, 1);
        ExpectedPicture picture(kWidth, kHeight, kBackground);
        picture.Outline(row.horizontal ? kHorizontal : kVertical, kBorder);
        picture.Fill(row.solid, kLit);
        PixelCanvas drawn(kWidth, kHeight, kBackground);
        host.DrawControls(drawn.Dc());
        EXPECT_TRUE(SamePixels(drawn, picture));
    }
}

namespace {

struct TextRow {
    const char* name;
    bool horizontal;
    double maximum;
    double value;
    bool percent;
    bool parenthesised;
    bool enabled;
    const wchar_t* text;
    LONG position;  // the value's position along the track
};

// The text box is as long along the track as "(0000)" in the current font plus 2 pixels,
// centred on the value's position, spans the control across the track, and is moved back
// inside the control where it would stick out.
RECT TextBox(CDC& dc, const TextRow& row) {
    const SIZE reference = dc.GetTextExtent(L"(0000)");
    const RECT control = row.horizontal ? kHorizontal : kVertical;
    RECT box = control;
    LONG& low = row.horizontal ? box.left : box.top;
    LONG& high = row.horizontal ? box.right : box.bottom;
    const LONG length = (row.horizontal ? reference.cx : reference.cy) + 2;
    low = row.position - length / 2;
    low = std::max(low, row.horizontal ? control.left : control.top);
    high = low + length;
    const LONG end = row.horizontal ? control.right : control.bottom;
    if (high > end) {
        low -= high - end;
        high = end;
    }
    return box;
}

}  // namespace

// The page's style shows the value text. It is drawn before the segments, which cover it.
TEST(SliderDrawing, TheValueTextIsCentredOnTheValueAndKeptInsideTheControl) {
    const TextRow rows[] = {
        {"at the top the box moves down inside", false, 1, 1.0, false, false, true, L"1", 12},
        {"at the bottom the box moves up inside", false, 1, 0.0, false, false, true, L"0", 88},
        {"per cent", false, 1, 0.5, true, false, true, L"50%", 50},
        {"per cent in parentheses", false, 1, 0.5, true, true, true, L"(50%)", 50},
        {"a range of 0 to 127", false, 127, 100, false, true, true, L"(100)", 29},
        {"horizontal", true, 1, 0.5, true, false, true, L"50%", 50},
        {"disabled", false, 1, 0.5, true, false, false, L"50%", 50},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        SliderHost host(false);
        CNWSliderCtrl* slider = MakeSlider(host, PageStyle(), row.horizontal);
        slider->SetRange(0, row.maximum);
        slider->SetPercentText(row.percent);
        slider->SetParenthesised(row.parenthesised);
        slider->SetValue(row.value, 0, 1);
        slider->SetEnabled(row.enabled);

        ExpectedPicture picture(kWidth, kHeight, kBackground);
        const RECT control = row.horizontal ? kHorizontal : kVertical;
        picture.Outline(control, kBorder);
        CDC& dc = picture.Canvas().Dc();
        RECT box = TextBox(dc, row);
        SetBkMode(dc.GetSafeHdc(), TRANSPARENT);
        dc.SetTextColor(row.enabled ? PageStyle().colors[3] : GetSysColor(COLOR_GRAYTEXT));
        dc.DrawText(row.text, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        const RECT inner = {control.left + 2, control.top + 2, control.right - 2,
                            control.bottom - 2};
        const int count = 25;
        const int segment = std::min(static_cast<int>(count * row.value / row.maximum), 24);
        for (int i = 0; i <= segment; ++i) {
            ExpectSegment(picture, inner, row.horizontal, i, row.enabled ? kLit : kDisabledLit,
                          kSeparator);
        }
        PixelCanvas drawn(kWidth, kHeight, kBackground);
        host.DrawControls(drawn.Dc());
        EXPECT_TRUE(SamePixels(drawn, picture));
    }
}
