// The editor page as a COM property page that the host shows inside its own frame: a thin
// container of the page window (ArpeggiatorPage.h) over a model of the bound filter object
// (FilterPageModel.h). The frame's calls become the window's life; the settings the page
// edits are the filter's own, live, so there is no apply step.
//
// The object, its identity and its binding live in PropPageObject.cpp, the frame's calls in
// PropPageCom.cpp. [ui thread] throughout, except that the host may count references from any
// thread.
#pragma once

#include <cstdint>

#include "editor/ArpeggiatorPage.h"
#include "editor/FilterPageModel.h"
#include "platform/AtomicCounter.h"

class CArpeggiator;

class CArpeggiatorPropPage : public IPropertyPage {
public:
    // Counts the page in liveObjectCount and makes the page window's object (its window comes
    // with Activate). The count starts at 1: the factory hands out that reference.
    CArpeggiatorPropPage();
    CArpeggiatorPropPage(const CArpeggiatorPropPage&) = delete;
    CArpeggiatorPropPage& operator=(const CArpeggiatorPropPage&) = delete;

    // IUnknown, on the IPropertyPage face. [any thread]
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IPropertyPage (PropPageCom.cpp)
    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE Show(UINT command) override;
    HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    HRESULT STDMETHODCALLTYPE Apply() override;
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR directory) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message) override;

private:
    friend class PropPageProbe;  // the tests reach the page window through the container

    // Released through Release only.
    virtual ~CArpeggiatorPropPage();

    void BindFilter(CArpeggiator* newFilter);

    AtomicCounter refCount{1};
    IPropertyPageSite* pageSite = nullptr;
    uint32_t isDirty = 0;
    // The model first: the page, destroyed before it, disconnects from it on its way out.
    FilterPageModel model;
    ArpeggiatorPage page;
};
