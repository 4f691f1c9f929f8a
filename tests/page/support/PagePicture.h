// The page's pixels as the tests read them: painted through WM_PRINTCLIENT into a bitmap of
// the test's own (the renderer's path), or copied from what the window shows on the screen
// (the WM_PAINT path).
// [ui thread]
#pragma once

#include "pagehost/RgbImage.h"
#include "support/PageHarness.h"

// The page's own size: the skin's.
inline constexpr SIZE kPageSize = {670, 169};

// The page painted into a bitmap of `kPageSize` that holds `background` before the paint;
// with `clip`, the paint is limited to that rectangle, as a paint's clip box limits it.
RgbImage PrintPage(const PageHarness& h, const RECT* clip = nullptr,
                   uint32_t background = 0x00FF00FF);

// What the window shows on the screen now (after pumping pending paints), `kPageSize`.
RgbImage ScreenPage(const PageHarness& h);

// The part of `image` inside `area`.
RgbImage Crop(const RgbImage& image, const RECT& area);
