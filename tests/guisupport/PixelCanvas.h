// A canvas for pixel checks: a 32-bit top-down DIB section selected into a memory DC of its
// own, whose pixels are read back with GetDIBits. Drawing code paints into it directly, or it
// copies what a window shows on the screen.
#pragma once

#include <vector>

#include "controls/win/DC.h"

// A 32-bit top-down DIB section selected into a memory DC of its own.
class PixelCanvas {
public:
    PixelCanvas(int canvasWidth, int canvasHeight, COLORREF fill);
    ~PixelCanvas();

    CDC& Dc() { return dc; }
    // Every pixel as 0xAARRGGBB, top row first, read back with GetDIBits.
    std::vector<uint32_t> Pixels() const;
    // The colour at (x, y) as 0x00BBGGRR.
    COLORREF At(int x, int y) const;
    // Copies what the window shows on the screen.
    void CopyWindow(HWND window);

    const int width;
    const int height;

private:
    CDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};
