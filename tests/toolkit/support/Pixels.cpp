#include "support/Pixels.h"

#include <cstdio>
#include <vector>

namespace {

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::vector<uint32_t> Rows(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO info = TopDown32(width, height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels;
}

COLORREF ToColorRef(uint32_t bgra) {
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

}  // namespace

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    BITMAP description = {};
    GetObjectW(bitmap, sizeof(description), &description);
    const std::vector<uint32_t> pixels = Rows(bitmap, description.bmWidth, description.bmHeight);
    return ToColorRef(pixels[static_cast<size_t>(y * description.bmWidth + x)]);
}

PixelCanvas::PixelCanvas(int canvasWidth, int canvasHeight, COLORREF fill)
    : width(canvasWidth), height(canvasHeight) {
    BITMAPINFO info = TopDown32(width, height);
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

COLORREF PixelCanvas::At(int x, int y) const {
    GdiFlush();
    const std::vector<uint32_t> pixels = Rows(bitmap, width, height);
    return ToColorRef(pixels[static_cast<size_t>(y * width + x)]);
}

bool PixelCanvas::SaveBmp(const std::wstring& path) const {
    GdiFlush();
    std::vector<uint32_t> pixels = Rows(bitmap, width, height);
    // GDI leaves the fourth byte undefined (XOR drawing flips it); viewers that see some
    // non-zero ones take it for transparency, so the file says opaque throughout.
    for (uint32_t& pixel : pixels) {
        pixel |= 0xFF000000u;
    }
    BITMAPINFO info = TopDown32(width, height);
    const auto imageBytes = static_cast<DWORD>(pixels.size() * sizeof(uint32_t));
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) {
        return false;
    }
    const bool written = fwrite(&file, sizeof(file), 1, out) == 1 &&
                         fwrite(&info.bmiHeader, sizeof(BITMAPINFOHEADER), 1, out) == 1 &&
                         fwrite(pixels.data(), imageBytes, 1, out) == 1;
    fclose(out);
    return written;
}
