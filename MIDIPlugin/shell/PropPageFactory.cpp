#include "shell/PropPageFactory.h"

HRESULT STDMETHODCALLTYPE CPropPageFactory::CreateInstance(IUnknown* outer, REFIID, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return E_NOTIMPL;
}
