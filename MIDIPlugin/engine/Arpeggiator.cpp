// Construction, destruction, identity and attachment of the filter object.
#include "engine/Arpeggiator.h"

#include "engine/InterfaceIds.h"
#include "platform/ModuleCounters.h"

namespace {

template <typename T>
void ReleaseAndNull(T*& service) {
    if (service != nullptr) {
        service->Release();
        service = nullptr;
    }
}

}  // namespace

// Every field starts as ArpeggiatorState gives it; the block, the clock and the module's count
// are what construction adds.
CArpeggiator::CArpeggiator() {
    params = std::make_unique<ArpeggiatorParams>(DefaultArpeggiatorParams());
    paramsSize = sizeof(ArpeggiatorParams);

    StartMillisecondClock();
    liveObjectCount.Increment();
}

CArpeggiator::~CArpeggiator() {
    StopMillisecondClock();
    params.reset();
    liveObjectCount.Decrement();
}

HRESULT STDMETHODCALLTYPE CArpeggiator::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == ids::Unknown || iid == ids::MfxEventFilter) {
        *object = static_cast<IMfxEventFilter*>(this);
    } else if (iid == ids::SpecifyPropertyPages) {
        *object = static_cast<ISpecifyPropertyPages*>(this);
    } else if (iid == ids::PersistStream) {
        *object = static_cast<IPersistStream*>(this);
    } else if (iid == ids::VeskarEnablePlugin) {
        *object = static_cast<IVeskarEnablePlugin*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CArpeggiator::AddRef() {
    return refCount.fetch_add(1, std::memory_order_relaxed) + 1;
}

ULONG STDMETHODCALLTYPE CArpeggiator::Release() {
    const uint32_t remaining = refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (remaining == 0) delete this;
    return remaining;
}

HRESULT STDMETHODCALLTYPE CArpeggiator::AttachHost(IUnknown* host) {
    if (host == nullptr) return E_POINTER;
    if (FAILED(host->QueryInterface(ids::HostTimeConverter,
                                    reinterpret_cast<void**>(&timeConverter)))) {
        timeConverter = nullptr;
        host->Release();
        return E_FAIL;
    }
    if (FAILED(host->QueryInterface(ids::HostAuxService, reinterpret_cast<void**>(&auxService)))) {
        auxService = nullptr;
        host->Release();
        return S_OK;
    }
    if (FAILED(
            host->QueryInterface(ids::HostLiveService, reinterpret_cast<void**>(&liveService)))) {
        liveService = nullptr;
        host->Release();
        return S_OK;
    }
    liveService->GetLookAheadMs(&lookAheadMs);
    host->Release();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CArpeggiator::DetachHost() {
    if (liveBegun != 0 && liveService != nullptr) {
        liveService->EndLive();
        liveBegun = 0;
    }
    ReleaseAndNull(timeConverter);
    ReleaseAndNull(auxService);
    if (liveService != nullptr) {
        if (liveBegun != 0) liveService->EndLive();
        liveBegun = 0;
        ReleaseAndNull(liveService);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CArpeggiator::SetPluginEnabled(VARIANT_BOOL) { return S_OK; }
