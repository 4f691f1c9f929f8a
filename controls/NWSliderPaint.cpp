#include "controls/NWSliderPaint.h"

#include <algorithm>

#include "controls/win/DC.h"

double CNWSliderPaint::Fraction(double value, double minimum, double maximum) {
    const double range = maximum - minimum;
    return range > 0.0 ? (value - minimum) / range : 0.0;
}

int CNWSliderPaint::SegmentCount(const RECT& inner, bool horizontal) {
    const LONG length = horizontal ? inner.right - inner.left : inner.bottom - inner.top;
    return length > 0 ? static_cast<int>(length / kSegmentPitch) : 0;
}

// Values beyond the range (the range slider takes what its callers give) or NaN give an index
// off the track, which lights no segment that exists.
int CNWSliderPaint::SegmentOf(int count, double fraction) {
    const double scaled = count * fraction;
    if (!(scaled > -1.0)) {
        return -1;
    }
    if (scaled >= count) {
        return count - 1;
    }
    return std::min(static_cast<int>(scaled), count - 1);
}

void CNWSliderPaint::PaintSegment(CDC& dc, const RECT& inner, bool horizontal, int index,
                                  COLORREF lit, COLORREF separator) {
    const int step = kSegmentPitch * index;
    if (horizontal) {
        const LONG x = inner.left + step;
        dc.FillSolidRect({x, inner.top, x + 2, inner.bottom}, lit);
        dc.FillSolidRect({x + 2, inner.top, x + 3, inner.bottom}, separator);
    } else {
        const LONG y = inner.bottom - step;
        dc.FillSolidRect({inner.left, y - 2, inner.right, y}, lit);
        dc.FillSolidRect({inner.left, y - 3, inner.right, y - 2}, separator);
    }
}

COLORREF CNWSliderPaint::HalfTowardBlack(COLORREF color) {
    return RGB(GetRValue(color) / 2, GetGValue(color) / 2, GetBValue(color) / 2);
}

CNWFrameTools::CNWFrameTools(CDC& target, COLORREF border, COLORREF fill, bool hollow)
    : dc(target) {
    if (border != CNWSliderPaint::kNoColor) {
        pen = CreatePen(PS_SOLID, 1, border);
    }
    if (!hollow) {
        brush = CreateSolidBrush(fill);
    }
    previousPen = dc.SelectObject(pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(NULL_PEN));
    previousBrush =
        dc.SelectObject(brush ? static_cast<HGDIOBJ>(brush) : GetStockObject(NULL_BRUSH));
}

CNWFrameTools::~CNWFrameTools() {
    dc.SelectObject(previousPen);
    dc.SelectObject(previousBrush);
    if (pen) {
        DeleteObject(pen);
    }
    if (brush) {
        DeleteObject(brush);
    }
}
