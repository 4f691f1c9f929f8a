// Which editor page the host shows for the filter.
#include "engine/Arpeggiator.h"
#include "engine/InterfaceIds.h"

// [ui thread] The caller owns the array and frees it with CoTaskMemFree.
HRESULT STDMETHODCALLTYPE CArpeggiator::GetPages(CAUUID* pages) {
    if (pages == nullptr) return E_POINTER;
    pages->cElems = 1;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (pages->pElems == nullptr) return E_OUTOFMEMORY;
    pages->pElems[0] = ids::ArpeggiatorPropPage;
    return S_OK;
}
