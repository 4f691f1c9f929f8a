// A picture as the page renderer and its tests handle it: opaque pixels, 0x00RRGGBB, rows from
// the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width × height, top row first

    RgbImage() = default;
    RgbImage(int imageWidth, int imageHeight)
        : width(imageWidth),
          height(imageHeight),
          pixels(static_cast<size_t>(imageWidth) * static_cast<size_t>(imageHeight)) {}

    uint32_t At(int x, int y) const { return pixels[Index(x, y)]; }
    uint32_t& At(int x, int y) { return pixels[Index(x, y)]; }

private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
    }
};
