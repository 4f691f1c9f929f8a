// The module leaves the process when COM asks and nothing of it is alive any more.
#include <gtest/gtest.h>

#include "ModuleUnderTest.h"
#include "engine/InterfaceIds.h"

TEST(ModuleUnload, CoFreeUnusedLibrariesUnloadsTheModuleOnlyWhenNothingHoldsIt) {
    IUnknown* filter = nullptr;
    ASSERT_EQ(CoCreateInstance(ids::ArpeggiatorFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&filter)),
              S_OK);
    ASSERT_NE(GetModuleHandleW(kModuleName), nullptr);
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_NE(GetModuleHandleW(kModuleName), nullptr) << "unloaded under a live filter";
    EXPECT_EQ(filter->Release(), 0u);

    IClassFactory* factory = nullptr;
    ASSERT_EQ(CoGetClassObject(ids::ArpeggiatorFilter, CLSCTX_INPROC_SERVER, nullptr,
                               IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_NE(GetModuleHandleW(kModuleName), nullptr) << "unloaded under a server lock";

    ASSERT_EQ(CoGetClassObject(ids::ArpeggiatorFilter, CLSCTX_INPROC_SERVER, nullptr,
                               IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(factory->Release(), 0u);
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_EQ(GetModuleHandleW(kModuleName), nullptr);
}
