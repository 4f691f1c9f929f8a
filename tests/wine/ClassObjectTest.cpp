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

ComRef<IUnknown> CreateFilter(IClassFactory* factory) {
    IUnknown* filter = nullptr;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&filter)),
              S_OK);
    return ComRef<IUnknown>(filter);
}

// A class id differing from `clsid` in one bit of one byte.
CLSID NearMiss(CLSID clsid, size_t byteIndex) {
    reinterpret_cast<uint8_t*>(&clsid)[byteIndex] ^= 0x01;
    return clsid;
}

}  // namespace

TEST(ClassObjects, DllGetClassObjectServesTwoClassesAndOnlyTheirFactoryInterfaces) {
    LoadedModule module;
    auto* getClassObject = module.Export<GetClassObjectFunction>("DllGetClassObject");
    ASSERT_NE(getClassObject, nullptr);
    EXPECT_EQ(getClassObject(ids::ArpeggiatorFilter, IID_IClassFactory, nullptr), E_POINTER);

    enum Outcome { kFactory, kNull, kUntouched };
    struct Case {
        const char* name;
        CLSID clsid;
        IID iid;
        HRESULT expected;
        Outcome outcome;
    };
    const Case cases[] = {
        {"filter, IClassFactory", ids::ArpeggiatorFilter, IID_IClassFactory, S_OK, kFactory},
        {"filter, IUnknown", ids::ArpeggiatorFilter, IID_IUnknown, S_OK, kFactory},
        {"page, IClassFactory", ids::ArpeggiatorPropPage, IID_IClassFactory, S_OK, kFactory},
        {"filter, IPersistStream", ids::ArpeggiatorFilter, IID_IPersistStream, E_NOINTERFACE,
         kNull},
        {"page, IPropertyPage", ids::ArpeggiatorPropPage, IID_IPropertyPage, E_NOINTERFACE, kNull},
        {"filter, IClassFactory2", ids::ArpeggiatorFilter, IID_IClassFactory2, E_NOINTERFACE,
         kNull},
        {"unserved class", IID_IClassFactory, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE,
         kUntouched},
        {"filter's id, last byte off", NearMiss(ids::ArpeggiatorFilter, 15), IID_IClassFactory,
         CLASS_E_CLASSNOTAVAILABLE, kUntouched},
        {"page's id, first byte off", NearMiss(ids::ArpeggiatorPropPage, 0), IID_IClassFactory,
         CLASS_E_CLASSNOTAVAILABLE, kUntouched},
        {"null class id", GUID_NULL, IID_IUnknown, CLASS_E_CLASSNOTAVAILABLE, kUntouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        void* out = Sentinel();
        EXPECT_EQ(getClassObject(c.clsid, c.iid, &out), c.expected);
        switch (c.outcome) {
            case kFactory:
                ASSERT_NE(out, nullptr);
                ASSERT_NE(out, Sentinel());
                // One reference, the caller's: one Release destroys the factory.
                EXPECT_EQ(static_cast<IUnknown*>(out)->AddRef(), 2u);
                EXPECT_EQ(static_cast<IUnknown*>(out)->Release(), 1u);
                EXPECT_EQ(static_cast<IUnknown*>(out)->Release(), 0u);
                break;
            case kNull:
                EXPECT_EQ(out, nullptr);
                break;
            case kUntouched:
                EXPECT_EQ(out, Sentinel());
                break;
        }
        EXPECT_EQ(ModuleCanUnloadNow(), S_OK) << "factories are not counted";
    }
}

TEST(ClassObjects, CoGetClassObjectHandsOutFactoriesThatOneReleaseDestroys) {
    for (const CLSID& clsid : {ids::ArpeggiatorFilter, ids::ArpeggiatorPropPage}) {
        IClassFactory* factory = nullptr;
        ASSERT_EQ(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                   reinterpret_cast<void**>(&factory)),
                  S_OK);
        ASSERT_NE(factory, nullptr);
        EXPECT_EQ(factory->AddRef(), 2u);
        EXPECT_EQ(factory->Release(), 1u);
        EXPECT_EQ(factory->Release(), 0u);
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
        {"filter, IClassFactory", filterFactory.get(), nullptr, IID_IClassFactory, E_NOINTERFACE},
        {"filter, IPropertyPage", filterFactory.get(), nullptr, IID_IPropertyPage, E_NOINTERFACE},
        {"filter, IUnknown", filterFactory.get(), nullptr, IID_IUnknown, S_OK},
        {"filter, IMfxEventFilter", filterFactory.get(), nullptr, ids::MfxEventFilter, S_OK},
        {"filter, IPersistStream", filterFactory.get(), nullptr, IID_IPersistStream, S_OK},
        {"filter, ISpecifyPropertyPages", filterFactory.get(), nullptr, IID_ISpecifyPropertyPages,
         S_OK},
        {"filter, IVeskarEnablePlugin", filterFactory.get(), nullptr, ids::VeskarEnablePlugin,
         S_OK},
        {"page, aggregated", pageFactory.get(), outer, IID_IUnknown, CLASS_E_NOAGGREGATION},
        {"page, IPropertyPage (page not built yet)", pageFactory.get(), nullptr, IID_IPropertyPage,
         E_NOTIMPL},
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

TEST(ClassObjects, DllCanUnloadNowFollowsLiveFiltersAndServerLocksOfEitherFactory) {
    ComRef<IClassFactory> filterFactory = GetFactory(ids::ArpeggiatorFilter);
    ComRef<IClassFactory> pageFactory = GetFactory(ids::ArpeggiatorPropPage);
    ASSERT_TRUE(filterFactory && pageFactory);
    EXPECT_EQ(ModuleCanUnloadNow(), S_OK) << "held factories do not count";

    ComRef<IUnknown> first = CreateFilter(filterFactory.get());
    ComRef<IUnknown> second = CreateFilter(filterFactory.get());
    EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE);
    first.reset();
    EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE) << "one filter still alive";
    second.reset();
    EXPECT_EQ(ModuleCanUnloadNow(), S_OK);

    struct Case {
        const char* name;
        IClassFactory* locker;
        IClassFactory* unlocker;
    };
    const Case cases[] = {
        {"filter factory", filterFactory.get(), filterFactory.get()},
        {"page factory", pageFactory.get(), pageFactory.get()},
        {"locked by one, unlocked by the other", pageFactory.get(), filterFactory.get()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.locker->LockServer(TRUE), S_OK);
        EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE);
        EXPECT_EQ(c.unlocker->LockServer(FALSE), S_OK);
        EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
    }

    EXPECT_EQ(filterFactory->LockServer(TRUE), S_OK);
    EXPECT_EQ(filterFactory->LockServer(TRUE), S_OK);
    EXPECT_EQ(filterFactory->LockServer(FALSE), S_OK);
    EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE) << "locks are counted, not flagged";
    EXPECT_EQ(filterFactory->LockServer(FALSE), S_OK);
    EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
}
