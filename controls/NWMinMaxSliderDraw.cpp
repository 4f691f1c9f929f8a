// Drawing of the range slider: the frame, the lit part of the track between the two handles,
// and a small arrow marker for each handle.
#include <algorithm>

#include "controls/AutoDCRestorer.h"
#include "controls/GDIWrap.h"
#include "controls/NWMinMaxSlider.h"
#include "controls/NWSliderPaint.h"

namespace {

// Room the markers take beside the frame, across the track.
constexpr LONG kMarkerRoom = 4;

// A marker: a base two pixels deep and five long, then a row of three and a one-pixel tip,
// pointing across the track. `edge` is the base's outer pixel across the track, `toward` (+1
// or -1) the direction of the tip, `along` the marker's first pixel along the track.
void PaintArrow(CDC& dc, bool horizontalTrack, LONG edge, LONG toward, LONG along, COLORREF color) {
    struct Part {
        LONG nearDepth, farDepth, inset, length;
    };
    const Part parts[] = {{0, 1, 0, 5}, {2, 2, 1, 3}, {3, 3, 2, 1}};
    for (const Part& part : parts) {
        const LONG nearPixel = edge + toward * part.nearDepth;
        const LONG farPixel = edge + toward * part.farDepth;
        const LONG acrossLow = std::min(nearPixel, farPixel);
        const LONG acrossHigh = std::max(nearPixel, farPixel) + 1;
        const LONG alongLow = along + part.inset;
        const LONG alongHigh = alongLow + part.length;
        dc.FillSolidRect(horizontalTrack ? RECT{alongLow, acrossLow, alongHigh, acrossHigh}
                                         : RECT{acrossLow, alongLow, acrossHigh, alongHigh},
                         color);
    }
}

}  // namespace

void CNWMinMaxSlider::Draw(CDC& dc) {
    if (IsVisible() && dc.RectVisible(rect)) {
        DrawSlider(dc);
    }
}

void CNWMinMaxSlider::DrawEx(IBaseGraphicWrap& context) {
    if (IsVisible() && context.RectVisible(rect)) {
        DrawSliderEx(context);
    }
}

// Through a GDI context this is DrawSlider; the other back-ends lie outside this system.
void CNWMinMaxSlider::DrawSliderEx(IBaseGraphicWrap& context) {
    if (auto* gdi = dynamic_cast<CGDIWrap*>(&context)) {
        DrawSlider(gdi->GetDC());
    }
}

void CNWMinMaxSlider::DrawSlider(CDC& dc) {
    CAutoDCRestorer restorer(dc, 255);
    RECT frame = rect;
    if (showMarkers) {
        InflateRect(&frame, horizontal ? 0 : -kMarkerRoom, horizontal ? -kMarkerRoom : 0);
    }
    {
        CNWFrameTools tools(dc, borderColor, fillColor, hollow != 0);
        dc.Rectangle(frame);
    }
    RECT inner = frame;
    InflateRect(&inner, -marginX, -marginY);
    DrawOverlay(dc, {inner.left, inner.top});
    const int count = CNWSliderPaint::SegmentCount(inner, horizontal != 0);
    const int segLow =
        CNWSliderPaint::SegmentOf(count, CNWSliderPaint::Fraction(lowValue, minValue, maxValue));
    const int segHigh =
        CNWSliderPaint::SegmentOf(count, CNWSliderPaint::Fraction(highValue, minValue, maxValue));
    if (solidFill) {
        DrawSolidTrack(dc, inner);
    } else {
        DrawTrack(dc, inner, segLow, segHigh);
    }
    if (showMarkers) {
        DrawMarkers(dc, segLow, segHigh);
    }
}

// Crossed values on a vertical track that allows crossing wrap around: the lit part runs from
// the low handle up to the end and on from the start up to the high handle.
bool CNWMinMaxSlider::WrapsAround() const {
    return !horizontal && allowCrossing && highValue < lowValue;
}

bool CNWMinMaxSlider::IsLitSegment(int index, int segLow, int segHigh) const {
    if (WrapsAround()) {
        return index < segHigh || index > segLow;
    }
    return segLow <= index && index <= segHigh;
}

void CNWMinMaxSlider::DrawTrack(CDC& dc, const RECT& inner, int segLow, int segHigh) {
    const int count = CNWSliderPaint::SegmentCount(inner, horizontal != 0);
    for (int i = 0; i < count; ++i) {
        if (IsLitSegment(i, segLow, segHigh)) {
            CNWSliderPaint::PaintSegment(dc, inner, horizontal != 0, i, LitColor(), color4);
        }
    }
}

void CNWMinMaxSlider::DrawSolidTrack(CDC& dc, const RECT& inner) {
    const LONG length = horizontal ? inner.right - inner.left : inner.bottom - inner.top;
    auto position = [&](double end) {
        const auto filled =
            static_cast<LONG>(length * CNWSliderPaint::Fraction(end, minValue, maxValue));
        return horizontal ? inner.left + filled : inner.bottom - filled;
    };
    const LONG low = position(lowValue);
    const LONG high = position(highValue);
    if (horizontal) {
        if (low < high) {
            dc.FillSolidRect({low, inner.top, high, inner.bottom}, LitColor());
        }
    } else if (WrapsAround()) {
        dc.FillSolidRect({inner.left, high, inner.right, inner.bottom}, LitColor());
        dc.FillSolidRect({inner.left, inner.top, inner.right, low}, LitColor());
    } else if (high < low) {
        dc.FillSolidRect({inner.left, high, inner.right, low}, LitColor());
    }
}

// Vertical: the low arrow on the left edge, its bottom 3 x segLow above the control's bottom,
// points right; the high arrow on the right edge points left, its top 3 x (segHigh + 2) above
// the bottom (the low arrow mirrored both ways). So each arrow's tip row is the outer lit row
// of its end segment, and both stay inside the control even at the ends of the track.
// Horizontal: the low arrow on the bottom edge points up, the high arrow on the top edge down.
void CNWMinMaxSlider::DrawMarkers(CDC& dc, int segLow, int segHigh) {
    const LONG pitch = CNWSliderPaint::kSegmentPitch;
    if (horizontal) {
        PaintArrow(dc, true, rect.bottom - 1, -1, rect.left + pitch * segLow, LitColor());
        PaintArrow(dc, true, rect.top, 1, rect.left + pitch * segHigh + 2, LitColor());
        return;
    }
    PaintArrow(dc, false, rect.left, 1, rect.bottom - pitch * segLow - 5, LitColor());
    PaintArrow(dc, false, rect.right - 1, -1, rect.bottom - pitch * (segHigh + 2), LitColor());
}
