// The bitmap cache: shared loading and reference counts, the module resources come from,
// alpha classification, drawing frames, and images decoded through the imaging component.
#include <gtest/gtest.h>

#include <objbase.h>

#include "TestResourceIds.h"
#include "controls/BitmapCache.h"
#include "controls/win/ResourceModule.h"
#include "support/Pixels.h"

namespace {

bool BitmapExists(HBITMAP bitmap) {
    BITMAP description = {};
    return GetObjectW(bitmap, sizeof(description), &description) != 0;
}

// Every test starts from an empty cache and leaves none behind. COM is initialised for the
// imaging component, as a host's user-interface thread has it.
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
    EXPECT_EQ(cache.GetRefCount(IDB_TEST_STRIP), 2);
    EXPECT_EQ(cache.GetCount(), 1u);

    EXPECT_EQ(cache.Release(IDB_TEST_STRIP), 1);
    EXPECT_TRUE(cache.Contains(IDB_TEST_STRIP));
    EXPECT_TRUE(BitmapExists(loaded)) << "releasing one user keeps the image";

    EXPECT_EQ(cache.Release(IDB_TEST_STRIP), 1);
    EXPECT_FALSE(cache.Contains(IDB_TEST_STRIP));
    EXPECT_FALSE(BitmapExists(loaded)) << "the last release deletes the image";
    EXPECT_EQ(cache.Release(IDB_TEST_STRIP), 0) << "a removed id is unknown again";
}

TEST_F(BitmapCacheTest, UnknownAndUnloadableIdsAreNeverInserted) {
    struct Case {
        const char* name;
        uint32_t id;
    };
    const Case cases[] = {
        {"no such resource", 999},
        {"a PNG resource that is not an image", IDB_TEST_BROKEN_PNG},
        {"the dialog template is not an image", IDD_TEST_DIALOG},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cache.Release(c.id), 0) << c.name;
        EXPECT_FALSE(cache.AddRef(c.id)) << c.name;
        EXPECT_FALSE(cache.Contains(c.id)) << c.name;
        EXPECT_EQ(cache.Release(c.id), 0) << c.name;
        PixelCanvas canvas(2, 2, 0);
        EXPECT_FALSE(cache.Draw(c.id, canvas.Dc(), 0, 0, 1, 1, 0, 0, 0)) << c.name;
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
    struct Case {
        const char* name;
        uint32_t id;
        int opaqueFlag;
        SIZE size;
        int mode;
        int alphaClass;
        bool alphaForm;
    };
    const Case cases[] = {
        {"alpha bytes all 0", IDB_TEST_STRIP, 0, {12, 4}, 1, CBitmapCache::kAlphaUnused, false},
        {"alpha varies", IDB_TEST_BLENDED, 0, {2, 1}, 1, CBitmapCache::kAlphaBlended, true},
        {"alpha all 255", IDB_TEST_OPAQUE, 0, {1, 1}, 1, CBitmapCache::kAlphaOpaque, false},
        {"mode 2 is never blended",
         IDB_TEST_BLENDED,
         1,
         {2, 1},
         2,
         CBitmapCache::kAlphaUnknown,
         false},
        {"PNG resource", IDB_TEST_PNG, 0, {3, 2}, 1, CBitmapCache::kAlphaBlended, true},
        {"Image resource", IDB_TEST_IMAGE, 0, {3, 2}, 1, CBitmapCache::kAlphaBlended, true},
    };
    for (const Case& c : cases) {
        CBitmapCache::DeleteInstance();
        CBitmapCache& fresh = CBitmapCache::Instance();
        ASSERT_TRUE(fresh.AddRef(c.id, c.opaqueFlag)) << c.name;
        DIBSECTION section = {};
        EXPECT_EQ(GetObjectW(fresh.GetBitmap(c.id), sizeof(section), &section),
                  static_cast<int>(sizeof(section)))
            << c.name << ": not a DIB section";
        EXPECT_EQ(section.dsBm.bmBitsPixel, 32) << c.name;
        EXPECT_EQ(fresh.GetSize(c.id).cx, c.size.cx) << c.name;
        EXPECT_EQ(fresh.GetSize(c.id).cy, c.size.cy) << c.name;
        EXPECT_EQ(fresh.GetMode(c.id), c.mode) << c.name;
        EXPECT_EQ(fresh.GetAlphaClass(c.id), c.alphaClass) << c.name;
        EXPECT_EQ(fresh.GetAlphaForm(c.id) != nullptr, c.alphaForm) << c.name;
        // A later reference with another flag changes nothing of a loaded entry.
        fresh.AddRef(c.id, !c.opaqueFlag);
        EXPECT_EQ(fresh.GetMode(c.id), c.mode) << c.name;
    }
}

TEST_F(BitmapCacheTest, DrawCopiesThePartAtTheSourceOffset) {
    ASSERT_TRUE(cache.AddRef(IDB_TEST_STRIP));
    struct Case {
        int sourceX;
        int greyed;
        COLORREF color;
    };
    const Case cases[] = {
        {0, 0, RGB(255, 0, 0)},     {4, 0, RGB(0, 255, 0)},
        {8, 0, RGB(0, 0, 255)},     {0, 1, RGB(76, 76, 76)},  // red at 30 % luminance
        {4, 1, RGB(150, 150, 150)},
    };
    for (const Case& c : cases) {
        PixelCanvas canvas(10, 10, RGB(1, 1, 1));
        EXPECT_TRUE(cache.Draw(IDB_TEST_STRIP, canvas.Dc(), 3, 3, 4, 4, c.sourceX, 0, c.greyed));
        EXPECT_EQ(canvas.At(3, 3), c.color) << c.sourceX;
        EXPECT_EQ(canvas.At(6, 6), c.color) << c.sourceX;
        EXPECT_EQ(canvas.At(7, 7), RGB(1, 1, 1)) << c.sourceX;
        EXPECT_EQ(canvas.At(2, 3), RGB(1, 1, 1)) << c.sourceX;
    }
    EXPECT_EQ(cache.GetDerivedCount(), 1u) << "one grey form, made once";
    EXPECT_EQ(cache.Release(IDB_TEST_STRIP), 1);
    EXPECT_EQ(cache.GetDerivedCount(), 0u) << "derived images go with their image";
}

TEST_F(BitmapCacheTest, ImagesWithAlphaAreBlendedOverWhatIsThere) {
    struct Case {
        uint32_t id;
        int width;
        int height;
        POINT point;
        COLORREF color;
    };
    const Case cases[] = {
        {IDB_TEST_BLENDED, 2, 1, {0, 0}, RGB(255, 255, 255)},
        {IDB_TEST_BLENDED, 2, 1, {1, 0}, RGB(0, 0, 0)},
        {IDB_TEST_PNG, 3, 2, {0, 0}, RGB(255, 0, 0)},
        {IDB_TEST_PNG, 3, 2, {1, 0}, RGB(0, 255, 0)},
        {IDB_TEST_PNG, 3, 2, {2, 0}, RGB(0, 0, 255)},
        {IDB_TEST_PNG, 3, 2, {1, 1}, RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(cache.AddRef(c.id));
        PixelCanvas canvas(4, 4, RGB(0, 0, 0));
        EXPECT_TRUE(cache.Draw(c.id, canvas.Dc(), 0, 0, c.width, c.height, 0, 0, 0));
        EXPECT_EQ(canvas.At(c.point.x, c.point.y), c.color) << c.id;
        cache.Release(c.id);
    }
    // White at alpha 128 over black comes out half bright.
    ASSERT_TRUE(cache.AddRef(IDB_TEST_PNG));
    PixelCanvas canvas(4, 4, RGB(0, 0, 0));
    cache.Draw(IDB_TEST_PNG, canvas.Dc(), 0, 0, 3, 2, 0, 0, 0);
    EXPECT_NEAR(GetRValue(canvas.At(0, 1)), 128, 2);
}

TEST_F(BitmapCacheTest, DeleteInstanceDropsEveryImage) {
    ASSERT_TRUE(cache.AddRef(IDB_TEST_STRIP));
    HBITMAP loaded = cache.GetBitmap(IDB_TEST_STRIP);
    CBitmapCache::DeleteInstance();
    EXPECT_FALSE(CBitmapCache::HasInstance());
    EXPECT_FALSE(BitmapExists(loaded));
    EXPECT_EQ(CBitmapCache::Instance().GetCount(), 0u);
    EXPECT_TRUE(CBitmapCache::HasInstance());
}
