// The COM object: construction, destruction, identity and reference counting, and the filter
// it is bound to.
#include "editor/ArpeggiatorPropPage.h"
#include "engine/InterfaceIds.h"
#include "platform/ModuleCounters.h"

// [any thread] The factory constructs the page on whatever thread the host asks from; the
// window is made later, by Activate, on the thread that will own it.
CArpeggiatorPropPage::CArpeggiatorPropPage() { liveObjectCount.Increment(); }

// A host that lets go of an active page without Deactivate: the page's window goes with the
// page, while the filter is still bound to handle its last messages.
CArpeggiatorPropPage::~CArpeggiatorPropPage() {
    // A host that never cleared its site: the reference the page took goes with the page.
    if (pageSite != nullptr) pageSite->Release();
    liveObjectCount.Decrement();
}

HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid != ids::Unknown && iid != ids::PropertyPage) return E_NOINTERFACE;
    *object = static_cast<IPropertyPage*>(this);
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CArpeggiatorPropPage::AddRef() { return refCount.Increment(); }

ULONG STDMETHODCALLTYPE CArpeggiatorPropPage::Release() {
    const uint32_t remaining = refCount.Decrement();
    if (remaining == 0) delete this;
    return remaining;
}

// The page shows a model only while there is a filter behind it; a page bound again leaves
// the filter it had first. An open window shows the new filter at once.
void CArpeggiatorPropPage::BindFilter(CArpeggiator* newFilter) {
    page.SetModel(nullptr);
    model.SetFilter(newFilter);
    if (newFilter != nullptr) page.SetModel(&model);
}
