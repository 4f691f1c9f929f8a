// Construction, destruction, identity and attachment of the filter object.
#include "engine/Arpeggiator.h"

#include <cstring>

#include "engine/InterfaceIds.h"
#include "shell/ModuleCounters.h"

namespace {

// Valid use holds a few steps' note-ons and note-offs plus one call's pass-through; see the
// live path for the rule when a pathological host or block would exceed this.
constexpr size_t kPendingCapacity = 4096;

template <typename T>
void ReleaseAndNull(T*& service) {
    if (service != nullptr) {
        service->Release();
        service = nullptr;
    }
}

}  // namespace

CArpeggiator::CArpeggiator()
    : refCount(1),
      dirty(0),
      paramsSize(0),
      timeConverter(nullptr),
      auxService(nullptr),
      liveService(nullptr),
      lookAheadMs(0),
      editorPage(nullptr),
      keyScan(timemath::kStaleSummary),
      stepEvent{},
      currentNote(0),
      chordKeyList{},
      soundingCount(0),
      chordMask(1),
      baseVelocity(0),
      stepIndex(0),
      stepLength(-1),
      liveStepLength(-1),
      nextStepTime(0),
      chordRoot(-1),
      direction(0),
      liveBegun(0),
      liveChannel(0),
      windowOn(0),
      inRange(0),
      liveHeldCount(0),
      liveStartTicks(0),
      liveNextTime(0),
      liveCurrentNote(0),
      liveStepIndex(0),
      liveBaseVelocity(0),
      liveDirection(0),
      liveOnMessage{},
      liveOffMessage{},
      liveChordMask(0),
      liveChordRoot(-1),
      msClock(0),
      flushHeld(0),
      pending(kPendingCapacity),
      timerId(0),
      timerRunning(0),
      lastTimerMs(0) {
    std::memset(keyEndTimes, 0xFF, sizeof keyEndTimes);
    std::memset(windowKeyEndTimes, 0xFF, sizeof windowKeyEndTimes);
    std::memset(pitchClassEndTimes, 0xFF, sizeof pitchClassEndTimes);
    std::memset(liveHeld, 0xFF, sizeof liveHeld);
    std::memset(liveWindowKeys, 0xFF, sizeof liveWindowKeys);
    std::memset(livePitchClasses, 0xFF, sizeof livePitchClasses);

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
