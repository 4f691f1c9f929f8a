// The bitmap cache: shared loading and reference counts, the module that images come from, alpha
// classification, drawing frames, and images decoded through the Imaging Component.
#include <gtest/gtest.h>

#include <objbase.h>

#include <tuple>

#include "TestResourceIds.h"
#include "controls/BitmapCache.h"
#include "controls/win/ResourceModule.h"
#include "support/TestHost.h"

namespace {

bool BitmapExists(HBITMAP bitmap) {
    BITMAP description = {};
    return GetObjectW(bitmap, sizeof(description), &description) != 0;
}

// Every test starts from an empty cache and leaves none behind. COM is initialised for the
// Imaging Component, as a host's user-interface thread has it.
class BitmapCacheTest : public testing::Test {
protected:
    static CBitmapCache& FreshCache() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CBitmapCache::DeleteInstance();
        return CBitmapCache::Instance();
    }
    void TearDown() override {
        CResourceModule::Set(nullptr);
        CBitmapCache::DeleteInstance();
    }
    CBitmapCache& cache = FreshCache();
};

}  // namespace

TEST_F(BitmapCacheTest, TwoUsersOfOneResourceLoadItOnceAndTheLastReleaseRemovesIt) {
    ASSERT_TRUE(cache.AddRef(IDB_TEST_STRIP));
    HBITMAP loaded = cache.GetBitmap(IDB_TEST_STRIP);
    ASSERT_TRUE(cache.AddRef(IDB_TEST_STRIP));
    EXPECT_EQ(cache.GetBitmap(IDB_TEST_STRIP), loaded) << "the second user shares the image";
    EXPECT_EQ(cache.Release(IDB_TEST_STRIP), 1);
    EXPECT_TRUE(BitmapExists(loaded)) << "releasing one user keeps the image";
    EXPECT_EQ(cache.Release(IDB_TEST_STRIP), 1);
    EXPECT_FALSE(BitmapExists(loaded)) << "the last release deletes the image";
    EXPECT_EQ(cache.Release(IDB_TEST_STRIP), 0) << "a removed id is unknown again";

    ASSERT_TRUE(cache.AddRef(IDB_TEST_STRIP));
    loaded = cache.GetBitmap(IDB_TEST_STRIP);
    CBitmapCache::DeleteInstance();
    EXPECT_FALSE(BitmapExists(loaded)) << "the cache's end drops every image";
}

TEST_F(BitmapCacheTest, UnknownAndUnloadableIdsAreNeverInserted) {
    // No such resource, a PNG resource that is not an image, a dialog template.
    for (uint32_t id : {999u, uint32_t{IDB_TEST_BROKEN_PNG}, uint32_t{IDD_TEST_DIALOG}}) {
        EXPECT_FALSE(cache.AddRef(id)) << id;
        EXPECT_EQ(cache.Release(id), 0) << id;
        PixelCanvas canvas(2, 2, 0);
        EXPECT_FALSE(cache.Draw(id, canvas.Dc(), 0, 0, 1, 1, 0, 0, 0)) << id;
    }
    EXPECT_EQ(cache.GetCount(), 0u);
}

TEST_F(BitmapCacheTest, ImagesComeFromTheResourceModuleOnly) {
    CResourceModule::Set(GetModuleHandleW(L"kernel32.dll"));
    EXPECT_FALSE(cache.AddRef(IDB_TEST_STRIP)) << "another module has no such bitmap";
    CResourceModule::Set(nullptr);
    EXPECT_EQ(CResourceModule::Get(), GetModuleHandleW(nullptr))
        << "by default, the module that contains the toolkit";
    EXPECT_TRUE(cache.AddRef(IDB_TEST_STRIP));
    CResourceModule::Set(GetModuleHandleW(nullptr));
    EXPECT_TRUE(cache.AddRef(IDB_TEST_BLENDED));
}

TEST_F(BitmapCacheTest, BitmapsAreLoadedAsDibSectionsAndClassifiedByTheirAlpha) {
    using C = CBitmapCache;
    // The id, the opaque flag, the size, then the mode, alpha class and premultiplied form.
    using Case = std::tuple<uint32_t, int, LONG, LONG, int, int, bool>;
    const Case cases[] = {
        {IDB_TEST_STRIP, 0, 12, 4, 1, C::kAlphaUnused, false},
        {IDB_TEST_BLENDED, 0, 2, 1, 1, C::kAlphaBlended, true},
        {IDB_TEST_OPAQUE, 0, 1, 1, 1, C::kAlphaOpaque, false},
        {IDB_TEST_BLENDED, 1, 2, 1, 2, C::kAlphaUnknown, false},  // mode 2 is never blended
        {IDB_TEST_PNG, 0, 3, 2, 1, C::kAlphaBlended, true},
        {IDB_TEST_IMAGE, 0, 3, 2, 1, C::kAlphaBlended, true},
    };
    for (const auto& [id, opaque, width, height, mode, alphaClass, alphaForm] : cases) {
        CBitmapCache::DeleteInstance();
        CBitmapCache& fresh = CBitmapCache::Instance();
        ASSERT_TRUE(fresh.AddRef(id, opaque)) << id;
        DIBSECTION section = {};
        EXPECT_EQ(GetObjectW(fresh.GetBitmap(id), sizeof(section), &section), int{sizeof(section)})
            << id << ": not a DIB section";
        EXPECT_EQ(section.dsBm.bmBitsPixel, 32) << id;
        EXPECT_EQ(fresh.GetSize(id).cx, width) << id;
        EXPECT_EQ(fresh.GetSize(id).cy, height) << id;
        EXPECT_EQ(fresh.GetMode(id), mode) << id;
        EXPECT_EQ(fresh.GetAlphaClass(id), alphaClass) << id;
        EXPECT_EQ(fresh.GetAlphaForm(id) != nullptr, alphaForm) << id;
        fresh.AddRef(id, !opaque);
        EXPECT_EQ(fresh.GetMode(id), mode) << id << ": a later reference changes nothing";
    }
}

TEST_F(BitmapCacheTest, DrawCopiesThePartAtTheSourceOffsetOrItsGreyForm) {
    ASSERT_TRUE(cache.AddRef(IDB_TEST_STRIP));
    using Case = std::tuple<int, int, COLORREF>;  // source x, greyed, colour
    const Case cases[] = {
        {0, 0, RGB(255, 0, 0)},     {4, 0, RGB(0, 255, 0)},
        {8, 0, RGB(0, 0, 255)},     {0, 1, RGB(76, 76, 76)},  // red at 30 % luminance
        {4, 1, RGB(150, 150, 150)},
    };
    for (const auto& [sourceX, greyed, color] : cases) {
        PixelCanvas canvas(10, 10, RGB(1, 1, 1));
        EXPECT_TRUE(cache.Draw(IDB_TEST_STRIP, canvas.Dc(), 3, 3, 4, 4, sourceX, 0, greyed));
        EXPECT_EQ(canvas.At(3, 3), color) << sourceX;
        EXPECT_EQ(canvas.At(6, 6), color) << sourceX;
        EXPECT_EQ(canvas.At(7, 7), RGB(1, 1, 1)) << sourceX;
        EXPECT_EQ(canvas.At(2, 3), RGB(1, 1, 1)) << sourceX;
    }
    EXPECT_EQ(cache.GetDerivedCount(), 1u) << "one grey form, made once";
    EXPECT_EQ(cache.Release(IDB_TEST_STRIP), 1);
    EXPECT_EQ(cache.GetDerivedCount(), 0u) << "derived images go with their image";
}

TEST_F(BitmapCacheTest, ImagesWithAlphaAreBlendedOverWhatIsThere) {
    using Case = std::tuple<uint32_t, POINT, COLORREF>;  // the id, a pixel, its colour over black
    const Case cases[] = {
        {IDB_TEST_BLENDED, {0, 0}, RGB(255, 255, 255)}, {IDB_TEST_BLENDED, {1, 0}, RGB(0, 0, 0)},
        {IDB_TEST_PNG, {0, 0}, RGB(255, 0, 0)},         {IDB_TEST_PNG, {1, 0}, RGB(0, 255, 0)},
        {IDB_TEST_PNG, {2, 0}, RGB(0, 0, 255)},         {IDB_TEST_PNG, {1, 1}, RGB(0, 0, 0)},
    };
    for (const auto& [id, point, color] : cases) {
        ASSERT_TRUE(cache.AddRef(id));
        PixelCanvas canvas(4, 4, RGB(0, 0, 0));
        const SIZE size = cache.GetSize(id);
        EXPECT_TRUE(cache.Draw(id, canvas.Dc(), 0, 0, size.cx, size.cy, 0, 0, 0));
        EXPECT_EQ(canvas.At(point.x, point.y), color) << id << " at " << point.x << "," << point.y;
        if (id == IDB_TEST_PNG && point.x == 0) {
            EXPECT_NEAR(GetRValue(canvas.At(0, 1)), 128, 2) << "white at alpha 128: half bright";
        }
        cache.Release(id);
    }
}
