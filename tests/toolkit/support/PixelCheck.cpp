#include "support/PixelCheck.h"

#include <sstream>
#include <vector>

void ExpectedPicture::Outline(const RECT& rect, COLORREF color) {
    Fill({rect.left, rect.top, rect.right, rect.top + 1}, color);
    Fill({rect.left, rect.bottom - 1, rect.right, rect.bottom}, color);
    Fill({rect.left, rect.top, rect.left + 1, rect.bottom}, color);
    Fill({rect.right - 1, rect.top, rect.right, rect.bottom}, color);
}

void ExpectSegment(ExpectedPicture& picture, const RECT& inner, int i, COLORREF lit,
                   COLORREF separator) {
    const LONG y = inner.bottom - 3 * i;
    picture.Fill({inner.left, y - 2, inner.right, y}, lit);
    picture.Fill({inner.left, y - 3, inner.right, y - 2}, separator);
}

::testing::AssertionResult SamePixels(const PixelCanvas& drawn, ExpectedPicture& expected) {
    const std::vector<uint32_t> got = drawn.Pixels();
    const std::vector<uint32_t> want = expected.Canvas().Pixels();
    std::ostringstream report;
    int differing = 0;
    for (size_t i = 0; i < got.size(); ++i) {
        if ((got[i] & 0xFFFFFF) == (want[i] & 0xFFFFFF)) continue;
        if (++differing <= 5) {
            report << " (" << i % drawn.width << "," << i / drawn.width << ") drawn " << std::hex
                   << (got[i] & 0xFFFFFF) << " expected " << (want[i] & 0xFFFFFF) << std::dec;
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ:" << report.str();
}
