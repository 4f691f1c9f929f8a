#include "shell/PropPageFactory.h"

#include "EditorPage.h"

HRESULT STDMETHODCALLTYPE CPropPageFactory::CreateInstance(IUnknown* outer, REFIID iid,
                                                           void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    IUnknown* page = NewEditorPage();
    if (page == nullptr) return E_OUTOFMEMORY;
    return HandOut(page, iid, object);
}
