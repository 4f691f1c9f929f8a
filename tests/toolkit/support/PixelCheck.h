// Pixel tests of the sliders: an expected picture painted rectangle by rectangle from the
// geometry the sliders are meant to have, and a comparison with what a slider drew, pixel by
// pixel, read back with GetDIBits.
#pragma once

#include <gtest/gtest.h>

#include "support/TestHost.h"

class ExpectedPicture {
public:
    ExpectedPicture(int width, int height, COLORREF background)
        : canvas(width, height, background) {}

    void Fill(const RECT& rect, COLORREF color) { canvas.Dc().FillSolidRect(rect, color); }
    // The one-pixel outline GDI's Rectangle draws: right and bottom edges excluded.
    void Outline(const RECT& rect, COLORREF color);
    void Pixel(LONG x, LONG y, COLORREF color) { Fill({x, y, x + 1, y + 1}, color); }
    PixelCanvas& Canvas() { return canvas; }

private:
    PixelCanvas canvas;
};

// A vertical slider's segment i: two rows of the lit colour, then one of the separator colour,
// counted upward from the inner bottom.
void ExpectSegment(ExpectedPicture& picture, const RECT& inner, int i, COLORREF lit,
                   COLORREF separator);

// Equal when every pixel is; otherwise how many differ and the first few.
::testing::AssertionResult SamePixels(const PixelCanvas& drawn, ExpectedPicture& expected);
