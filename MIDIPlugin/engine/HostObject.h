// IUnknown for the objects a host hands the filter (its services and event queues), as every
// host of this engine writes them: the plug-in formats' (hostcommon/) and the tools' and tests'
// (tools/host/). The owner holds the first reference; Release never deletes, so an object can
// live inside its owner, and a test can read the count after the filter let go.
#pragma once

#include <atomic>

#include "engine/HostInterfaces.h"
#include "engine/InterfaceIds.h"

template <typename Interface>
class HostObject : public Interface {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (iid != ids::Unknown && iid != OwnIid()) return E_NOINTERFACE;
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    // References held by others than the owner: 0 when the filter holds none.
    int32_t ForeignRefs() const { return static_cast<int32_t>(refs.load()) - 1; }

protected:
    virtual const IID& OwnIid() const = 0;
    ~HostObject() = default;

private:
    std::atomic<ULONG> refs{1};
};
