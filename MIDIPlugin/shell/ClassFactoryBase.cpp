#include "shell/ClassFactoryBase.h"

#include "engine/InterfaceIds.h"
#include "platform/ModuleCounters.h"

HRESULT STDMETHODCALLTYPE CClassFactoryBase::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid != ids::Unknown && iid != ids::ClassFactory) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CClassFactoryBase::AddRef() { return refCount.Increment(); }

ULONG STDMETHODCALLTYPE CClassFactoryBase::Release() {
    const uint32_t remaining = refCount.Decrement();
    if (remaining == 0) delete this;
    return remaining;
}

HRESULT STDMETHODCALLTYPE CClassFactoryBase::LockServer(BOOL lock) {
    if (lock != 0) {
        serverLockCount.Increment();
    } else {
        serverLockCount.Decrement();
    }
    return S_OK;
}

HRESULT CClassFactoryBase::HandOut(IUnknown* created, REFIID iid, void** object) {
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}
