// What the module's two class factories share: identity, reference counting and the server
// lock. A factory keeps no state besides its count and is not counted in liveObjectCount, so a
// factory the host still holds does not keep the module loaded.
#pragma once

#include "platform/AtomicCounter.h"
#include "platform/ComTypes.h"

class CClassFactoryBase : public IClassFactory {
public:
    CClassFactoryBase(const CClassFactoryBase&) = delete;
    CClassFactoryBase& operator=(const CClassFactoryBase&) = delete;

    // Answers IUnknown and IClassFactory only. [any thread]
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // Feeds serverLockCount; callers pair the calls, nothing stops the count below zero.
    // [any thread]
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

protected:
    CClassFactoryBase() = default;
    virtual ~CClassFactoryBase() = default;

    // Hands out `iid` of a freshly made object and drops the creation reference, so that an
    // interface the object refuses destroys it again.
    static HRESULT HandOut(IUnknown* created, REFIID iid, void** object);

private:
    AtomicCounter refCount{1};
};
