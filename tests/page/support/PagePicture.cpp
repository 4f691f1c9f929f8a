#include "support/PagePicture.h"

#include "guisupport/PixelCanvas.h"

namespace {

RgbImage FromCanvas(const PixelCanvas& canvas) {
    RgbImage image(canvas.width, canvas.height);
    const std::vector<uint32_t> pixels = canvas.Pixels();
    for (size_t i = 0; i < pixels.size(); ++i) image.pixels[i] = pixels[i] & 0x00FFFFFF;
    return image;
}

// 0x00RRGGBB as a COLORREF (0x00BBGGRR).
COLORREF ColorOf(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

RgbImage PrintPage(const PageHarness& h, const RECT* clip, uint32_t background) {
    PixelCanvas canvas(kPageSize.cx, kPageSize.cy, ColorOf(background));
    HDC dc = canvas.Dc().GetSafeHdc();
    HRGN region = nullptr;
    if (clip != nullptr) {
        region = CreateRectRgnIndirect(clip);
        SelectClipRgn(dc, region);
    }
    SendMessageW(h.Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    if (region != nullptr) {
        SelectClipRgn(dc, nullptr);
        DeleteObject(region);
    }
    return FromCanvas(canvas);
}

RgbImage ScreenPage(const PageHarness& h) {
    h.Paint();
    PixelCanvas canvas(kPageSize.cx, kPageSize.cy, 0);
    canvas.CopyWindow(h.Window());
    return FromCanvas(canvas);
}

RgbImage Crop(const RgbImage& image, const RECT& area) {
    RgbImage part(area.right - area.left, area.bottom - area.top);
    for (int y = 0; y < part.height; ++y) {
        for (int x = 0; x < part.width; ++x) part.At(x, y) = image.At(area.left + x, area.top + y);
    }
    return part;
}
