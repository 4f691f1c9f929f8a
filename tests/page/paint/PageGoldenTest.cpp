// The page's pictures: the default page and the page with the left-hand window on and a chord
// shown, against their golden pictures (golden/README.md); a paint limited to the chord
// display composes that part exactly as a full paint does and nothing else; the window shows
// what the renderer's path paints.
#include <gtest/gtest.h>

#include "paint/ChordOnPage.h"
#include "support/GoldenImage.h"
#include "support/PagePicture.h"

namespace {

constexpr wchar_t kChord[] = L"G 7 1st inversion";
constexpr uint32_t kMagenta = 0x00FF00FF;

// Pixels of `image` outside `area` that are not `colour`.
size_t OtherThanOutside(const RgbImage& image, const RECT& area, uint32_t colour) {
    size_t other = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const bool inside =
                x >= area.left && x < area.right && y >= area.top && y < area.bottom;
            if (!inside && image.At(x, y) != colour) ++other;
        }
    }
    return other;
}

// Paints over the window's own pixels, as stale content would sit there.
void Scribble(HWND window, const RECT& area) {
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

}  // namespace

TEST(PagePicture, TheDefaultPageLooksAsItsGoldenPicture) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    ExpectMatchesGolden(PrintPage(h), "default");
}

// The memory context sits at the clip box's corner: skin, frames, labels and the display's
// text land where a full paint puts them, and nothing is copied outside the box.
TEST(PagePicture, APaintClippedToTheChordDisplayComposesItAsAFullPaintDoes) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    ASSERT_TRUE(ShowChord(h, kChord));
    const RECT display = h["chordDisplay"]->GetRect();
    const RgbImage full = PrintPage(h);
    const RgbImage partial = PrintPage(h, &display, kMagenta);
    EXPECT_EQ(Crop(partial, display).pixels, Crop(full, display).pixels);
    EXPECT_EQ(OtherThanOutside(partial, display, kMagenta), 0u) << "painted outside its clip box";
}

// The same on the screen, through WM_PAINT: a stale display is repainted whole, and what lay
// outside the invalid part stays as it was.
TEST(PagePicture, ARepaintOfTheChordDisplayOnScreenRedrawsThatPartOnly) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    ASSERT_TRUE(ShowChord(h, kChord));
    const RECT display = h["chordDisplay"]->GetRect();
    const RgbImage full = ScreenPage(h);
    const RECT elsewhere = {20, 20, 60, 40};
    Scribble(h.Window(), display);
    Scribble(h.Window(), elsewhere);
    InvalidateRect(h.Window(), &display, FALSE);
    const RgbImage repainted = ScreenPage(h);
    EXPECT_EQ(Crop(repainted, display).pixels, Crop(full, display).pixels);
    EXPECT_EQ(OtherThanOutside(Crop(repainted, elsewhere), {0, 0, 0, 0}, kMagenta), 0u)
        << "the repaint reached beyond its invalid part";
}

// The renderer's path with a chord is PageRender's golden picture, through the registered module.
TEST(PagePicture, TheWindowShowsWhatTheRenderersPathPaints) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    ASSERT_TRUE(ShowChord(h, kChord));
    EXPECT_EQ(ScreenPage(h).pixels, PrintPage(h).pixels);
}
