// Accessibility is off unless switched on; once on, the window hook answers UI Automation's
// root request with the site's provider, made on first use.
#include <gtest/gtest.h>

#include <objbase.h>

#include "controls/NWAccessibility.h"
#include "support/TestHost.h"

namespace {

// The least provider UI Automation accepts: a host-less element with no patterns.
class FakeProvider : public IRawElementProviderSimple {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) {
            return E_POINTER;
        }
        *out = nullptr;
        if (iid == IID_IUnknown || iid == __uuidof(IRawElementProviderSimple)) {
            *out = static_cast<IRawElementProviderSimple*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
        *options = ProviderOptions_ServerSideProvider;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override {
        *pattern = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT* value) override {
        VariantInit(value);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE
    get_HostRawElementProvider(IRawElementProviderSimple** host) override {
        *host = nullptr;
        return S_OK;
    }

    ULONG references = 1;
};

class CountingFactory : public INWProviderFactory {
public:
    IRawElementProviderSimple* CreateControlProvider(CNWControl&) override {
        ++controlProviders;
        controlProvider.AddRef();
        return &controlProvider;
    }
    IRawElementProviderSimple* CreateSiteProvider(CNWControlSite&) override {
        ++siteProviders;
        siteProvider.AddRef();
        return &siteProvider;
    }

    int controlProviders = 0;
    int siteProviders = 0;
    FakeProvider controlProvider;
    FakeProvider siteProvider;
};

}  // namespace

TEST(Accessibility, WhenSwitchedOnTheHookAnswersTheRootRequestWithTheSiteProvider) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CountingFactory factory;
    {
        TestHost host;
        TestControl* control = host.Add({0, 0, 10, 10}, 0);
        EXPECT_EQ(host.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(-25)), 0);
        EXPECT_EQ(factory.siteProviders, 0) << "off: no provider is made";

        CNWAccessibility::SwitchOn(&factory);
        host.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(-25));
        host.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(-25));
        host.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
        EXPECT_EQ(factory.siteProviders, 1) << "made on first use, for the root id only";
        EXPECT_EQ(control->GetAccessibleProvider(), &factory.controlProvider);
        EXPECT_EQ(control->GetAccessibleProvider(), &factory.controlProvider);
        EXPECT_EQ(factory.controlProviders, 1);
        host.DestroyWindow();
        host.DeleteAllControls();
        CNWAccessibility::SwitchOff();
    }
    EXPECT_EQ(factory.controlProvider.references, 1u) << "the control released its provider";
}
