// Drawing of the single slider: the bar, then its segments (or a solid bar) from the origin to
// the value, and the value text.
#include <algorithm>
#include <climits>
#include <cwchar>
#include <iterator>

#include "controls/AutoDCRestorer.h"
#include "controls/GDIWrap.h"
#include "controls/NWSliderCtrl.h"
#include "controls/NWSliderPaint.h"

namespace {

// Truncation toward zero of a value to show; what cannot be an int shows as 0.
int TruncateToInt(double shown) {
    return shown > INT_MIN && shown < INT_MAX ? static_cast<int>(shown) : 0;
}

// The widest text a slider shows. Measured once per process, in the current font of the first
// device context that draws one.
SIZE ReferenceTextSize(CDC& dc) {
    static const SIZE size = dc.GetTextExtent(L"(0000)");
    return size;
}

// Moves [low, low + length) back inside [first, last): first past the start, then back by
// whatever still sticks out past the end.
void KeepInside(LONG& low, LONG& high, LONG first, LONG last) {
    if (low < first) {
        high += first - low;
        low = first;
    }
    if (high > last) {
        low -= high - last;
        high = last;
    }
}

}  // namespace

void CNWSliderCtrl::Draw(CDC& dc) {
    if (!IsVisible() || !dc.RectVisible(rect)) {
        return;
    }
    const RECT bar = GetBarRect();
    DrawBar(dc, bar);
    DrawOverlay(dc, {bar.left, bar.top});
    DrawFill(dc, bar);
}

// The drawing context of the graphics back-ends is not part of this system, so smoothDrawing
// and smoothBarFill take the path the GDI drawing provides for a context that cannot be made:
// the plain rectangle here, DrawText for the value text.
void CNWSliderCtrl::DrawBar(CDC& dc, const RECT& bar) {
    const COLORREF fill = IsEnabled() ? fillColor : CNWSliderPaint::HalfTowardBlack(fillColor);
    CNWFrameTools tools(dc, borderColor, fill, hollow != 0);
    dc.Rectangle(bar);
}

// Through a GDI context this is Draw; the other back-ends lie outside this system.
void CNWSliderCtrl::DrawEx(IBaseGraphicWrap& context) {
    auto* gdi = dynamic_cast<CGDIWrap*>(&context);
    if (!gdi || !IsVisible() || !context.RectVisible(rect)) {
        return;
    }
    const RECT bar = GetBarRect();
    DrawBar(gdi->GetDC(), bar);
    DrawOverlay(gdi->GetDC(), {bar.left, bar.top});
    DrawFillEx(context, bar);
}

void CNWSliderCtrl::DrawFillEx(IBaseGraphicWrap& context, const RECT& bar) {
    if (auto* gdi = dynamic_cast<CGDIWrap*>(&context)) {
        DrawFill(gdi->GetDC(), bar);
    }
}

void CNWSliderCtrl::DrawFill(CDC& dc, const RECT& bar) {
    CAutoDCRestorer restorer(dc, 255);
    RECT inner = bar;
    InflateRect(&inner, -marginX, -marginY);
    const bool isHorizontal = horizontal != 0;
    const double fValue = CNWSliderPaint::Fraction(value, minValue, maxValue);
    const LONG length = isHorizontal ? inner.right - inner.left : inner.bottom - inner.top;
    const auto filled = static_cast<LONG>(length * fValue);
    const LONG position = isHorizontal ? inner.left + filled : inner.bottom - filled;
    DrawValueText(dc, position);
    if (solidFill) {
        dc.FillSolidRect(isHorizontal ? RECT{inner.left, inner.top, position, inner.bottom}
                                      : RECT{inner.left, position, inner.right, position + filled},
                         LitColor());
        return;
    }
    const int count = CNWSliderPaint::SegmentCount(inner, isHorizontal);
    const int segValue = CNWSliderPaint::SegmentOf(count, fValue);
    const int segOrigin =
        CNWSliderPaint::SegmentOf(count, CNWSliderPaint::Fraction(origin, minValue, maxValue));
    const int last = std::min(std::max(segValue, segOrigin), count - 1);
    for (int i = std::max(std::min(segValue, segOrigin), 0); i <= last; ++i) {
        CNWSliderPaint::PaintSegment(dc, inner, isHorizontal, i, LitColor(), color4);
    }
}

// The text colour is the style's fourth colour (the sixth when disabled), as the back-ends'
// text would be; the font is the device context's own, in which the box was measured.
void CNWSliderCtrl::DrawValueText(CDC& dc, LONG valuePosition) {
    if (style->GetOption(NWControlStyle::kShowValue) == 0) {
        return;
    }
    wchar_t text[32];
    FormatValueText(text, std::size(text));
    RECT box = ValueTextBox(dc, valuePosition);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(style->colors[IsEnabled() ? 3 : 5]);
    dc.DrawText(text, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

RECT CNWSliderCtrl::ValueTextBox(CDC& dc, LONG valuePosition) const {
    const SIZE reference = ReferenceTextSize(dc);
    RECT box = rect;
    if (horizontal) {
        box.left = valuePosition - (reference.cx + 2) / 2;
        box.right = box.left + reference.cx + 2;
        KeepInside(box.left, box.right, rect.left, rect.right);
    } else {
        box.top = valuePosition - (reference.cy + 2) / 2;
        box.bottom = box.top + reference.cy + 2;
        KeepInside(box.top, box.bottom, rect.top, rect.bottom);
    }
    return box;
}

void CNWSliderCtrl::FormatValueText(wchar_t* text, size_t capacity) const {
    const wchar_t* format =
        percentText ? (parenthesised ? L"(%d%%)" : L"%d%%") : (parenthesised ? L"(%d)" : L"%d");
    const double shown = percentText ? (maxValue != 0.0 ? value * 100.0 / maxValue : 0.0) : value;
    swprintf(text, capacity, format, TruncateToInt(shown));
}
