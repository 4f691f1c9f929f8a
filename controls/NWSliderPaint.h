// GDI drawing that both sliders share: fractions of the range, the track's 3-pixel segments,
// and the pen and brush of a bar or frame.
// [ui thread]
#pragma once

#include "controls/win/Win32.h"

class CDC;

class CNWSliderPaint {
public:
    // A colour that means "none": no border is drawn.
    static constexpr COLORREF kNoColor = 0xFFFFFFFF;
    // Every segment is a 2-pixel band of the lit colour and a 1-pixel separator band.
    static constexpr int kSegmentPitch = 3;

    // Where `value` lies in [minimum, maximum], as a share of the range; 0 for an empty or
    // reversed range, so that nothing divides by zero.
    static double Fraction(double value, double minimum, double maximum);
    // Whole segments along the inner area's length; 0 when it has none.
    static int SegmentCount(const RECT& inner, bool horizontal);
    // The segment that holds `fraction`: trunc(count x fraction), at most the last one.
    static int SegmentOf(int count, double fraction);
    // Paints segment `index`, counted upward from the inner bottom (vertical) or rightward
    // from the inner left (horizontal).
    static void PaintSegment(CDC& dc, const RECT& inner, bool horizontal, int index, COLORREF lit,
                             COLORREF separator);
    // Each channel halved: a fill dimmed for a disabled control.
    static COLORREF HalfTowardBlack(COLORREF color);
};

// A solid 1-pixel pen of `border` (the null pen for kNoColor) and a solid brush of `fill`
// (the null brush when hollow), selected into a DC for one drawing and given back, then
// deleted, when the object goes out of scope.
class CNWFrameTools {
public:
    CNWFrameTools(CDC& target, COLORREF border, COLORREF fill, bool hollow);
    CNWFrameTools(const CNWFrameTools&) = delete;
    CNWFrameTools& operator=(const CNWFrameTools&) = delete;
    ~CNWFrameTools();

private:
    CDC& dc;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HGDIOBJ previousPen = nullptr;
    HGDIOBJ previousBrush = nullptr;
};
