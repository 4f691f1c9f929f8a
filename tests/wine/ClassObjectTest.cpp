// The module's class objects as COM clients meet them: which classes and interfaces are served,
// the factories' reference counts, the refusals of CreateInstance, and the counts behind
// DllCanUnloadNow.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "ModuleUnderTest.h"
#include "engine/HostInterfaces.h"
#include "engine/InterfaceIds.h"

namespace {

ComRef<IClassFactory> GetFactory(REFCLSID clsid) {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    return ComRef<IClassFactory>(factory);
}

// A class id differing from `clsid` in one bit of one byte.
CLSID NearMiss(CLSID clsid, size_t byteIndex) {
    reinterpret_cast<uint8_t*>(&clsid)[byteIndex] ^= 0x01;
    return clsid;
}

}  // namespace

// An unserved class leaves the out-pointer as the caller had it, an unserved interface nulls it,
// and a factory comes with the caller's reference only.
TEST(ClassObjects, DllGetClassObjectServesTwoClassesAndOnlyTheirFactoryInterfaces) {
    LoadedModule module;
    auto* getClassObject = module.Export<GetClassObjectFunction>("DllGetClassObject");
    ASSERT_NE(getClassObject, nullptr);
    EXPECT_EQ(getClassObject(ids::ArpeggiatorFilter, IID_IClassFactory, nullptr), E_POINTER);

    struct Case {
        const char* name;
        CLSID clsid;
        IID iid;
        HRESULT expected;
    };
    // clang-format off
    const Case cases[] = {
        {"filter, IUnknown", ids::ArpeggiatorFilter, IID_IUnknown, S_OK},
        {"page, IClassFactory", ids::ArpeggiatorPropPage, IID_IClassFactory, S_OK},
        {"filter, IPersistStream", ids::ArpeggiatorFilter, IID_IPersistStream, E_NOINTERFACE},
        {"page, IPropertyPage", ids::ArpeggiatorPropPage, IID_IPropertyPage, E_NOINTERFACE},
        {"filter's id, last byte off", NearMiss(ids::ArpeggiatorFilter, 15), IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
        {"page's id, first byte off", NearMiss(ids::ArpeggiatorPropPage, 0), IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        void* out = Sentinel();
        EXPECT_EQ(getClassObject(c.clsid, c.iid, &out), c.expected);
        if (c.expected == S_OK) {
            ASSERT_NE(out, nullptr);
            ASSERT_NE(out, Sentinel());
            EXPECT_EQ(static_cast<IUnknown*>(out)->Release(), 0u);
        } else {
            EXPECT_EQ(out, c.expected == E_NOINTERFACE ? nullptr : Sentinel());
        }
        EXPECT_EQ(ModuleCanUnloadNow(), S_OK) << "factories are not counted";
    }
}

TEST(ClassObjects, CreateInstanceRefusalsLeaveANullOutputAndNoObjectAlive) {
    ComRef<IClassFactory> filterFactory = GetFactory(ids::ArpeggiatorFilter);
    ComRef<IClassFactory> pageFactory = GetFactory(ids::ArpeggiatorPropPage);
    ASSERT_TRUE(filterFactory && pageFactory);
    IUnknown* outer = filterFactory.get();  // any live object will do as a would-be outer

    EXPECT_EQ(filterFactory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(pageFactory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);

    struct Case {
        const char* name;
        IClassFactory* factory;
        IUnknown* outer;
        IID iid;
        HRESULT expected;
    };
    const Case cases[] = {
        {"filter, aggregated", filterFactory.get(), outer, IID_IUnknown, CLASS_E_NOAGGREGATION},
        {"filter, IPersist", filterFactory.get(), nullptr, IID_IPersist, E_NOINTERFACE},
        {"filter, IUnknown", filterFactory.get(), nullptr, IID_IUnknown, S_OK},
        {"filter, IMfxEventFilter", filterFactory.get(), nullptr, ids::MfxEventFilter, S_OK},
        {"page, aggregated", pageFactory.get(), outer, IID_IUnknown, CLASS_E_NOAGGREGATION},
        {"page, IPersist", pageFactory.get(), nullptr, IID_IPersist, E_NOINTERFACE},
        {"page, IPropertyPage", pageFactory.get(), nullptr, IID_IPropertyPage, S_OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        void* out = Sentinel();
        EXPECT_EQ(c.factory->CreateInstance(c.outer, c.iid, &out), c.expected);
        if (c.expected == S_OK) {
            ASSERT_NE(out, nullptr);
            ASSERT_NE(out, Sentinel());
            EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE);
            EXPECT_EQ(static_cast<IUnknown*>(out)->Release(), 0u);
        } else {
            EXPECT_EQ(out, nullptr);
        }
        EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
    }
}

// Factories from CoGetClassObject do not count and go with one Release; server locks, taken on
// either factory, do count.
TEST(ClassObjects, DllCanUnloadNowFollowsServerLocksOfEitherFactory) {
    ComRef<IClassFactory> filterFactory = GetFactory(ids::ArpeggiatorFilter);
    ComRef<IClassFactory> pageFactory = GetFactory(ids::ArpeggiatorPropPage);
    ASSERT_TRUE(filterFactory && pageFactory);
    EXPECT_EQ(ModuleCanUnloadNow(), S_OK) << "held factories do not count";

    // A live object counts (the refusals' table above); one count for both factories, so that
    // either may take back the other's lock.
    EXPECT_EQ(pageFactory->LockServer(TRUE), S_OK);
    EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE);
    EXPECT_EQ(filterFactory->LockServer(TRUE), S_OK);
    EXPECT_EQ(filterFactory->LockServer(FALSE), S_OK);
    EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE) << "locks are counted, not flagged";
    EXPECT_EQ(filterFactory->LockServer(FALSE), S_OK);
    EXPECT_EQ(ModuleCanUnloadNow(), S_OK);

    EXPECT_EQ(filterFactory.release()->Release(), 0u);
    EXPECT_EQ(pageFactory.release()->Release(), 0u);
}
