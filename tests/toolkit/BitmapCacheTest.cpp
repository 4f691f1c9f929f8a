// The bitmap cache: shared loading and reference counts. (Frames drawn from a
// strip show on the screen in ButtonFramesOnScreen and in the golden pictures.) The module's
// images are opaque bitmaps, never greyed: the alpha classes, grey forms and the
// Imaging Component's path for other formats only other images would take.
#include <gtest/gtest.h>

#include <objbase.h>

#include "ButtonResourceIds.h"
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
    ASSERT_TRUE(cache.AddRef(IDB_BUTTON_STRIP));
    HBITMAP loaded = cache.GetBitmap(IDB_BUTTON_STRIP);
    ASSERT_TRUE(cache.AddRef(IDB_BUTTON_STRIP));
    EXPECT_EQ(cache.GetBitmap(IDB_BUTTON_STRIP), loaded) << "the second user shares the image";
    EXPECT_EQ(cache.Release(IDB_BUTTON_STRIP), 1);
    EXPECT_TRUE(BitmapExists(loaded)) << "releasing one user keeps the image";
    EXPECT_EQ(cache.Release(IDB_BUTTON_STRIP), 1);
    EXPECT_FALSE(BitmapExists(loaded)) << "the last release deletes the image";
    EXPECT_EQ(cache.Release(IDB_BUTTON_STRIP), 0) << "a removed id is unknown again";

    ASSERT_TRUE(cache.AddRef(IDB_BUTTON_STRIP));
    loaded = cache.GetBitmap(IDB_BUTTON_STRIP);
    CBitmapCache::DeleteInstance();
    EXPECT_FALSE(BitmapExists(loaded)) << "the cache's end drops every image";
}
