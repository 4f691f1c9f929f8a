// Drawing: which controls the site draws and in what order, where their pixels land, and the
// memory DC copying back only what the target's clip box shows. Pixels are read back with
// GetDIBits.
#include <gtest/gtest.h>

#include "controls/WMemDC.h"
#include "support/Pixels.h"
#include "support/TestHost.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);

struct Scene {
    TestHost host{false};
    PixelCanvas canvas{TestHost::kWidth, TestHost::kHeight, kBackground};
    TestControl* a = host.Add({20, 10, 60, 50}, kRed);
    TestControl* b = host.Add({50, 30, 100, 70}, kGreen);
    TestControl* c = host.Add({150, 10, 200, 40}, kBlue);
};

}  // namespace

TEST(SiteDrawing, ControlsLandOnTheirOwnPixelsInListOrder) {
    Scene scene;
    scene.host.DrawControls(scene.canvas.Dc());
    struct Case {
        POINT point;
        COLORREF color;
    };
    const Case cases[] = {
        {{20, 10}, kRed},       {{49, 29}, kRed},         {{19, 10}, kBackground},
        {{20, 9}, kBackground}, {{55, 35}, kGreen},  // overlap: the later control lies on top
        {{99, 69}, kGreen},     {{100, 69}, kBackground}, {{99, 70}, kBackground},
        {{150, 10}, kBlue},     {{199, 39}, kBlue},       {{120, 100}, kBackground},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scene.canvas.At(c.point.x, c.point.y), c.color) << c.point.x << "," << c.point.y;
    }
}

TEST(SiteDrawing, TheFocusControlIsDrawnLastSoThatItLiesOnTop) {
    TestHost host(false);
    PixelCanvas canvas(TestHost::kWidth, TestHost::kHeight, kBackground);
    host.Add({20, 10, 60, 50}, kRed, 1, 1);
    TestControl* later = host.Add({50, 30, 100, 70}, kGreen);
    host.DrawControls(canvas.Dc());
    EXPECT_EQ(canvas.At(55, 35), kRed);
    EXPECT_EQ(canvas.At(70, 60), kGreen);
    EXPECT_EQ(later->drawCount, 1);
}

TEST(SiteDrawing, InvisibleControlsAndControlsOutsideTheClipAreNotDrawn) {
    Scene scene;
    scene.b->SetVisible(false);
    HRGN clip = CreateRectRgn(0, 0, 120, TestHost::kHeight);  // leaves out control c
    SelectClipRgn(scene.canvas.Dc().GetSafeHdc(), clip);
    DeleteObject(clip);
    scene.host.DrawControls(scene.canvas.Dc());
    EXPECT_EQ(scene.a->drawCount, 1);
    EXPECT_EQ(scene.b->drawCount, 0);
    EXPECT_EQ(scene.c->drawCount, 0);
    EXPECT_EQ(scene.canvas.At(80, 60), kBackground);
}

TEST(SiteDrawing, TheValueBarAndTheCornerMarkLandWhereExpected) {
    struct Case {
        const char* name;
        int32_t markWidth;
        int32_t markHeight;
        POINT marked;
        POINT unmarked;
    };
    const Case cases[] = {
        {"top-left", 5, 4, {20, 10}, {25, 10}},
        {"top-left, last pixel", 5, 4, {24, 13}, {24, 14}},
        {"bottom-right", -5, -4, {59, 49}, {54, 49}},
        {"bottom-right, first pixel", -5, -4, {55, 46}, {55, 45}},
    };
    for (const Case& c : cases) {
        TestHost host(false);
        PixelCanvas canvas(TestHost::kWidth, TestHost::kHeight, kBackground);
        TestControl* control = host.Add({20, 10, 60, 50}, kBlue);
        control->SetValue(0.5, 0, 0);
        control->SetCornerMark(1);
        control->SetMarkSize(c.markWidth, c.markHeight);
        host.DrawControls(canvas.Dc());
        EXPECT_EQ(canvas.At(c.marked.x, c.marked.y), RGB(255, 0, 0)) << c.name;
        EXPECT_NE(canvas.At(c.unmarked.x, c.unmarked.y), RGB(255, 0, 0)) << c.name;
        // Half the value: the bar fills the lower 20 of 40 rows, inset by 2 at the sides.
        EXPECT_EQ(canvas.At(40, 30), control->BarColor()) << c.name;
        EXPECT_EQ(canvas.At(40, 29), kBlue) << c.name;
        EXPECT_EQ(canvas.At(40, 20), kBlue) << c.name;
    }
}

TEST(MemoryDC, OnlyTheTargetsClipBoxIsCopiedBack) {
    PixelCanvas target(TestHost::kWidth, TestHost::kHeight, kBackground);
    const RECT clip = {30, 20, 90, 60};
    HRGN region = CreateRectRgnIndirect(&clip);
    SelectClipRgn(target.Dc().GetSafeHdc(), region);
    DeleteObject(region);
    {
        CWMemDC memory(target.Dc());
        EXPECT_TRUE(EqualRect(&memory.GetTargetRect(), &clip));
        // Drawing everywhere, in the target's own coordinates.
        memory.FillSolidRect({0, 0, TestHost::kWidth, TestHost::kHeight}, kGreen);
        memory.FillSolidRect({40, 30, 41, 31}, kRed);
        EXPECT_TRUE(memory.RectVisible({30, 20, 31, 21}));
        EXPECT_FALSE(memory.RectVisible({0, 0, 29, 19}));
        EXPECT_EQ(target.At(40, 30), kBackground) << "nothing reaches the target before the end";
    }
    SelectClipRgn(target.Dc().GetSafeHdc(), nullptr);
    struct Case {
        POINT point;
        COLORREF color;
    };
    const Case cases[] = {
        {{30, 20}, kGreen},      {{89, 59}, kGreen},      {{40, 30}, kRed},
        {{29, 20}, kBackground}, {{30, 19}, kBackground}, {{90, 59}, kBackground},
        {{89, 60}, kBackground}, {{0, 0}, kBackground},   {{200, 100}, kBackground},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(target.At(c.point.x, c.point.y), c.color) << c.point.x << "," << c.point.y;
    }
}

TEST(MemoryDC, AGivenBitmapIsDrawnIntoAndLeftToItsOwner) {
    PixelCanvas target(40, 30, kBackground);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, -30, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP given = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    {
        CDC filler;
        filler.CreateCompatibleDC(nullptr);
        HGDIOBJ previous = filler.SelectObject(given);
        filler.FillSolidRect({0, 0, 40, 30}, kBlue);
        filler.SelectObject(previous);
    }
    {
        CWMemDC memory(target.Dc(), given);
        memory.FillSolidRect({10, 10, 20, 20}, kRed);
    }
    EXPECT_EQ(target.At(15, 15), kRed);
    EXPECT_EQ(target.At(5, 5), kBlue) << "the whole given bitmap was copied";
    BITMAP description = {};
    EXPECT_NE(GetObjectW(given, sizeof(description), &description), 0)
        << "the memory DC must not delete a bitmap it was given";
    EXPECT_EQ(PixelOf(given, 15, 15), kRed);
    DeleteObject(given);
}

// A real window: a partial invalidation repaints only that part of the window.
TEST(MemoryDC, APartialRepaintOfAWindowChangesOnlyTheInvalidPart) {
    TestHost host;
    host.Add({20, 10, 60, 50}, kRed);
    HWND window = host.GetSafeHwnd();
    host.background = kBlue;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    const int fullPaints = host.paintCount;
    host.background = kGreen;
    host.GetControls().front()->SetValue(1.0, 0, 0);  // would show everywhere it is drawn
    const RECT part = {100, 40, 180, 90};
    InvalidateRect(window, &part, FALSE);
    UpdateWindow(window);
    EXPECT_EQ(host.paintCount, fullPaints + 1);

    PixelCanvas shot(TestHost::kWidth, TestHost::kHeight, RGB(9, 9, 9));
    HDC windowDC = GetDC(window);
    shot.Dc().BitBlt(0, 0, TestHost::kWidth, TestHost::kHeight, windowDC, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDC);
    EXPECT_EQ(shot.At(100, 40), kGreen);
    EXPECT_EQ(shot.At(179, 89), kGreen);
    EXPECT_EQ(shot.At(99, 40), kBlue);
    EXPECT_EQ(shot.At(180, 89), kBlue);
    EXPECT_EQ(shot.At(100, 39), kBlue);
    EXPECT_EQ(shot.At(40, 20), kRed) << "the control outside the part was not repainted";
}
