// The module's bitmaps and version record, read from the module's own handle as the module
// itself reads them. Its string table is read where it is used: the registered names
// (RegisteredValuesTest), the page's title (PageComTest), the option names (StringTableTest).
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "ModuleUnderTest.h"
#include "resources/ResourceIds.h"

namespace {

// A bitmap resource loaded as the editor page loads it (a DIB section at its natural size), with
// its pixels read back through GetDIBits, top row first.
struct LoadedBitmap {
    int width = 0;
    int height = 0;
    std::vector<RGBQUAD> pixels;

    COLORREF At(int x, int y) const {
        const RGBQUAD& p = pixels[static_cast<size_t>(y * width + x)];
        return RGB(p.rgbRed, p.rgbGreen, p.rgbBlue);
    }
};

LoadedBitmap LoadBitmapResource(HMODULE module, UINT id) {
    LoadedBitmap result;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    DIBSECTION section{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof section, &section) != sizeof section) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        return result;
    }
    result.width = section.dsBm.bmWidth;
    result.height = section.dsBm.bmHeight;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = result.width;
    format.bmiHeader.biHeight = -result.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    result.pixels.resize(static_cast<size_t>(result.width * result.height));
    HDC dc = CreateCompatibleDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(result.height),
                               result.pixels.data(), &format, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(bitmap);
    if (rows != result.height) result.pixels.clear();
    return result;
}

// The colour every control of the page paints on.
constexpr COLORREF kPanelColor = RGB(22, 20, 77);

constexpr POINT kEnableButtonAt = {82, 68};
constexpr int kPowerFrame = 34;
constexpr int kCheckFrame = 15;

int CountPixelsOtherThan(const LoadedBitmap& image, const RECT& area, COLORREF colour) {
    int count = 0;
    for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) count += image.At(x, y) != colour;
    }
    return count;
}

bool FramesDiffer(const LoadedBitmap& strip, int frameWidth, int first, int second) {
    for (int y = 0; y < strip.height; ++y) {
        for (int x = 0; x < frameWidth; ++x) {
            if (strip.At(first * frameWidth + x, y) != strip.At(second * frameWidth + x, y)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

TEST(ModuleResources, VersionRecordCarriesTheProjectVersionAndADescription) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(ModulePath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(ModulePath().c_str(), 0, size, record.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    ASSERT_EQ(fixedSize, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(ARP_VERSION_MINOR, ARP_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, ARP_VERSION_PATCH));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    for (const wchar_t* field : {L"\\StringFileInfo\\040904B0\\FileDescription",
                                 L"\\StringFileInfo\\040904B0\\FileVersion",
                                 L"\\StringFileInfo\\040904B0\\ProductVersion"}) {
        SCOPED_TRACE(testing::Message() << field);
        wchar_t* text = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(record.data(), field, reinterpret_cast<void**>(&text), &length));
        EXPECT_GT(length, 1u);
    }
}

// The skin and the frames the page shows are in the golden pictures; hover and the corners of
// every frame are not. Each state has a face of its own; the buttons are copied without
// transparency, so what lies around a face must be what the skin shows there: the socket
// around the power button, the panel around a check box.
TEST(ModuleResources, ButtonFramesDifferAndBlendIntoTheSkinAroundThem) {
    LoadedModule module;
    const LoadedBitmap skin = LoadBitmapResource(module.Handle(), IDB_PAGE_SKIN);
    const LoadedBitmap power = LoadBitmapResource(module.Handle(), IDB_POWER_BUTTON);
    const LoadedBitmap check = LoadBitmapResource(module.Handle(), IDB_CHECK_BOX);
    ASSERT_EQ(power.pixels.size(), size_t{3 * kPowerFrame * kPowerFrame});
    ASSERT_EQ(check.pixels.size(), size_t{3 * kCheckFrame * kCheckFrame});
    for (const auto& [strip, size] : {std::pair{&power, kPowerFrame}, {&check, kCheckFrame}}) {
        EXPECT_TRUE(FramesDiffer(*strip, size, 0, 1) && FramesDiffer(*strip, size, 1, 2) &&
                    FramesDiffer(*strip, size, 0, 2))
            << "off, hover and on each have a face of their own";
    }
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(testing::Message() << "frame " << frame);
        int powerMismatches = 0;
        for (int y = 0; y < kPowerFrame; ++y) {
            for (int x = 0; x < kPowerFrame; ++x) {
                const int dx = 2 * x + 1 - kPowerFrame, dy = 2 * y + 1 - kPowerFrame;
                if (dx * dx + dy * dy <= 34 * 34) continue;  // within the face's radius of 17
                powerMismatches += power.At(frame * kPowerFrame + x, y) !=
                                   skin.At(kEnableButtonAt.x + x, kEnableButtonAt.y + y);
            }
        }
        EXPECT_EQ(powerMismatches, 0) << "power button corners differ from the socket";
        const RECT box = {frame * kCheckFrame, 0, (frame + 1) * kCheckFrame, kCheckFrame};
        const RECT inside = {box.left + 1, 1, box.right - 1, kCheckFrame - 1};
        EXPECT_EQ(CountPixelsOtherThan(check, box, kPanelColor) -
                      CountPixelsOtherThan(check, inside, kPanelColor),
                  0)
            << "check box edge is not panel colour";
    }
}
