// Pixel read-back for drawing tests: a 32-bit top-down DIB section with its own memory DC.
#pragma once

#include <string>

#include "controls/win/DC.h"

class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    CDC& Dc() { return dc; }
    HBITMAP Bitmap() const { return bitmap; }
    // The colour at (x, y), read back with GetDIBits, as 0x00BBGGRR.
    COLORREF At(int x, int y) const;
    // Writes the canvas as a 32-bit BMP file.
    bool SaveBmp(const std::wstring& path) const;

    const int width;
    const int height;

private:
    CDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

// The colour at (x, y) of any bitmap, read back with GetDIBits.
COLORREF PixelOf(HBITMAP bitmap, int x, int y);
