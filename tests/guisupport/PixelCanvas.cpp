#include "guisupport/PixelCanvas.h"

namespace {

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

}  // namespace

PixelCanvas::PixelCanvas(int canvasWidth, int canvasHeight, COLORREF fill)
    : width(canvasWidth), height(canvasHeight) {
    const BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc.CreateCompatibleDC(nullptr);
    previous = dc.SelectObject(bitmap);
    dc.FillSolidRect({0, 0, width, height}, fill);
}

PixelCanvas::~PixelCanvas() {
    dc.SelectObject(previous);
    DeleteObject(bitmap);
}

std::vector<uint32_t> PixelCanvas::Pixels() const {
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO info = TopDown32(width, height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels;
}

COLORREF PixelCanvas::At(int x, int y) const {
    const uint32_t pixel = Pixels()[static_cast<size_t>(y * width + x)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void PixelCanvas::CopyWindow(HWND window) {
    HDC windowDC = GetDC(window);
    dc.BitBlt(0, 0, width, height, windowDC, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDC);
}
