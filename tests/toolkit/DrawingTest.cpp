// Drawing: which controls the site draws and in what order, the corner mark, the memory DC
// copying back only what the target's clip box shows, a window's paint, and the DC state
// restorer. Pixels are read back with GetDIBits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <tuple>

#include "controls/AutoDCRestorer.h"
#include "controls/WMemDC.h"
#include "support/TestHost.h"

namespace {

constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kMark = RGB(255, 0, 0);

// A red and a green control overlapping, a blue one apart.
struct Scene {
    explicit Scene(int redHasFocus = 0) : red(host.Add({20, 10, 60, 50}, kRed, 1, redHasFocus)) {}

    TestHost host{false};
    PixelCanvas canvas{TestHost::kWidth, TestHost::kHeight, kBackground};
    TestControl* red;
    TestControl* green = host.Add({50, 30, 100, 70}, kGreen);
    TestControl* blue = host.Add({150, 10, 200, 40}, kBlue);
};

}  // namespace

TEST(SiteDrawing, ControlsLandOnTheirOwnPixelsInListOrderWithTheFocusControlLast) {
    for (int redHasFocus : {0, 1}) {
        Scene s(redHasFocus);
        s.host.DrawControls(s.canvas.Dc());
        const std::pair<POINT, COLORREF> cases[] = {
            {{20, 10}, kRed},          {{49, 29}, kRed},   {{19, 10}, kBackground},
            {{20, 9}, kBackground},    {{99, 69}, kGreen}, {{100, 69}, kBackground},
            {{99, 70}, kBackground},   {{150, 10}, kBlue}, {{199, 39}, kBlue},
            {{120, 100}, kBackground},
        };
        for (const auto& [point, color] : cases) {
            EXPECT_EQ(s.canvas.At(point.x, point.y), color) << point.x << "," << point.y;
        }
        EXPECT_EQ(s.canvas.At(55, 35), redHasFocus ? kRed : kGreen) << "the overlap";
        for (TestControl* control : {s.red, s.green, s.blue}) EXPECT_EQ(control->drawCount, 1);
    }
}

// The green control is hidden and the clip leaves out the blue one: only the red one is drawn,
// with its corner mark in the corner that the mark's size signs.
TEST(SiteDrawing, OnlyShownControlsInsideTheClipAreDrawnWithTheirCornerMark) {
    using Case = std::tuple<int32_t, int32_t, POINT, POINT>;  // width, height, marked, unmarked
    const Case cases[] = {
        {5, 4, {20, 10}, {25, 10}},
        {5, 4, {24, 13}, {24, 14}},
        {-5, -4, {59, 49}, {54, 49}},
        {-5, -4, {55, 46}, {55, 45}},
    };
    for (const auto& [width, height, marked, unmarked] : cases) {
        Scene s;
        s.green->SetVisible(false);
        HRGN clip = CreateRectRgn(0, 0, 120, TestHost::kHeight);
        SelectClipRgn(s.canvas.Dc().GetSafeHdc(), clip);
        DeleteObject(clip);
        s.red->SetCornerMark(1);
        s.red->SetMarkSize(width, height);
        s.host.DrawControls(s.canvas.Dc());
        EXPECT_EQ(s.canvas.At(marked.x, marked.y), kMark) << marked.x << "," << marked.y;
        EXPECT_EQ(s.canvas.At(unmarked.x, unmarked.y), kRed) << unmarked.x << "," << unmarked.y;
        EXPECT_EQ(s.canvas.At(80, 60), kBackground);
        EXPECT_EQ((std::vector{s.red->drawCount, s.green->drawCount, s.blue->drawCount}),
                  (std::vector{1, 0, 0}));
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
        // Drawing everywhere, in the target's own coordinates.
        memory.FillSolidRect({0, 0, TestHost::kWidth, TestHost::kHeight}, kGreen);
        memory.FillSolidRect({40, 30, 41, 31}, kRed);
        EXPECT_TRUE(memory.RectVisible({30, 20, 31, 21}));
        EXPECT_FALSE(memory.RectVisible({0, 0, 29, 19}));
        EXPECT_EQ(target.At(40, 30), kBackground) << "nothing reaches the target before the end";
    }
    SelectClipRgn(target.Dc().GetSafeHdc(), nullptr);
    const std::pair<POINT, COLORREF> cases[] = {
        {{30, 20}, kGreen},      {{89, 59}, kGreen},      {{40, 30}, kRed},
        {{29, 20}, kBackground}, {{30, 19}, kBackground}, {{90, 59}, kBackground},
        {{89, 60}, kBackground}, {{0, 0}, kBackground},   {{200, 100}, kBackground},
    };
    for (const auto& [point, color] : cases) {
        EXPECT_EQ(target.At(point.x, point.y), color) << point.x << "," << point.y;
    }
}

TEST(MemoryDC, AGivenBitmapIsDrawnIntoAndLeftToItsOwner) {
    PixelCanvas target(40, 30, kBackground);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, -30, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP given = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::fill_n(static_cast<uint32_t*>(bits), 40 * 30, 0x000000C8u);  // kBlue
    {
        CWMemDC memory(target.Dc(), given);
        memory.FillSolidRect({10, 10, 20, 20}, kRed);
    }
    EXPECT_EQ(target.At(15, 15), kRed);
    EXPECT_EQ(target.At(5, 5), kBlue) << "the whole given bitmap was copied";
    BITMAP description = {};
    EXPECT_NE(GetObjectW(given, sizeof(description), &description), 0)
        << "the memory DC must not delete a bitmap it was given";
    DeleteObject(given);
}

namespace {

// Writes the canvas as a 32-bit BMP file. GDI leaves the fourth byte undefined, and viewers take
// it for transparency, so the file says opaque throughout.
bool SaveBmp(const PixelCanvas& canvas, const char* path) {
    std::vector<uint32_t> pixels = canvas.Pixels();
    for (uint32_t& pixel : pixels) pixel |= 0xFF000000u;
    const auto imageBytes = static_cast<DWORD>(pixels.size() * sizeof(uint32_t));
    const BITMAPINFOHEADER info = {
        sizeof(info), canvas.width, -canvas.height, 1, 32, BI_RGB, imageBytes, 0, 0, 0, 0};
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(info);
    const BITMAPFILEHEADER file = {0x4D42, offset + imageBytes, 0, 0, offset};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(reinterpret_cast<const char*>(pixels.data()), imageBytes);
    return out.good();
}

}  // namespace

// With the environment variable ARP_TOOLKIT_SNAPSHOT set to a file name, the window is also
// written there as a BMP, for a person to look at (ImageMagick's convert makes a PNG of it).
TEST(Snapshot, AWindowShowsItsControlsAndRepaintsOnlyTheInvalidPart) {
    TestHost host;
    HWND window = host.GetSafeHwnd();
    TestControl* rate = host.Add({10, 20, 50, 100}, kBlue);
    NWControlStyle focusFrame = NWControlStyle::Defaults();
    focusFrame.SetOption(NWControlStyle::kFocusFrame, 1);
    focusFrame.fieldMask = 1u << 9;
    rate->SetStyle(focusFrame);
    host.Add({60, 20, 90, 100}, kGreen)->SetCornerMark(1);
    host.Mouse(WM_LBUTTONDOWN, 30, 60);  // rate gets the focus display
    host.Mouse(WM_LBUTTONUP, 30, 60);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    PixelCanvas shot(TestHost::kWidth, TestHost::kHeight, RGB(9, 9, 9));
    shot.CopyWindow(window);
    if (const char* path = std::getenv("ARP_TOOLKIT_SNAPSHOT")) {
        EXPECT_TRUE(SaveBmp(shot, path));
    }
    EXPECT_EQ(shot.At(5, 5), host.background);
    EXPECT_EQ(shot.At(12, 30), kBlue);
    int dotted = 0;
    for (int x = 11; x < 49; ++x) dotted += shot.At(x, 21) != kBlue ? 1 : 0;
    EXPECT_GT(dotted, 10) << "the focus frame, one pixel inside the rectangle";

    const COLORREF oldBackground = host.background;
    host.background = kGreen;
    rate->color = kRed;  // would show wherever rate is drawn again
    const RECT part = {100, 40, 180, 90};
    InvalidateRect(window, &part, FALSE);
    UpdateWindow(window);
    shot.CopyWindow(window);
    EXPECT_EQ(shot.At(100, 40), kGreen);
    EXPECT_EQ(shot.At(99, 40), oldBackground);
    EXPECT_EQ(shot.At(12, 30), kBlue) << "rate lies outside the part";
}

TEST(AutoDCRestorer, RestoresTheSelectedItemsAndLeavesTheOthersChanged) {
    HDC screen = GetDC(nullptr);
    const HGDIOBJ objects[] = {
        CreatePen(PS_SOLID, 3, RGB(1, 2, 3)), CreateSolidBrush(RGB(4, 5, 6)),
        CreateCompatibleBitmap(screen, 4, 4),
        CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma")};
    ReleaseDC(nullptr, screen);
    using R = CAutoDCRestorer;
    const uint32_t bits[] = {R::kBkColor, R::kTextColor, R::kBkMode, R::kPen,         R::kBrush,
                             R::kBitmap,  R::kFont,      R::kRop2,   R::kStretchMode, R::kMapMode};
    // Every item a restorer can record, in the order of `bits`.
    auto state = [](const CDC& dc) {
        auto object = [&dc](UINT type) {
            return reinterpret_cast<uintptr_t>(dc.GetCurrentObject(type));
        };
        return std::vector<uintptr_t>{
            dc.GetBkColor(),           dc.GetTextColor(),       uintptr_t(dc.GetBkMode()),
            object(OBJ_PEN),           object(OBJ_BRUSH),       object(OBJ_BITMAP),
            object(OBJ_FONT),          uintptr_t(dc.GetROP2()), uintptr_t(dc.GetStretchBltMode()),
            uintptr_t(dc.GetMapMode())};
    };
    for (uint32_t selection : bits) {
        PixelCanvas canvas(8, 8, 0);
        CDC& dc = canvas.Dc();
        const std::vector<uintptr_t> before = state(dc);
        {
            CAutoDCRestorer restorer(dc, selection);
            dc.SetBkColor(RGB(9, 8, 7));
            dc.SetTextColor(RGB(7, 8, 9));
            dc.SetBkMode(TRANSPARENT);
            for (HGDIOBJ object : objects) dc.SelectObject(object);
            dc.SetROP2(R2_XORPEN);
            dc.SetStretchBltMode(HALFTONE);
            dc.SetMapMode(MM_LOMETRIC);
        }
        const std::vector<uintptr_t> after = state(dc);
        for (size_t i = 0; i < std::size(bits); ++i) {
            EXPECT_EQ(after[i] == before[i], bits[i] == selection)
                << "item 0x" << std::hex << bits[i] << ", selection 0x" << selection;
        }
    }
    for (HGDIOBJ object : objects) DeleteObject(object);
}
