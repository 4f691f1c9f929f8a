#include "host/HostObjects.h"

#include "engine/TimeMath.h"

int32_t STDMETHODCALLTYPE ConstantTempoConverter::TicksToMs(int32_t ticks) {
    const int64_t divisor = int64_t{1000} * ticksPerQuarter;
    if (divisor == 0) return 0;
    return timemath::Saturate(int64_t{ticks} * usPerQuarter / divisor);
}

int32_t STDMETHODCALLTYPE ConstantTempoConverter::MsToTicks(int32_t ms) {
    if (usPerQuarter == 0) return 0;
    return timemath::Saturate(int64_t{ms} * 1000 * ticksPerQuarter / usPerQuarter);
}

HRESULT STDMETHODCALLTYPE SimHost::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    IUnknown* found = nullptr;
    if (iid == ids::Unknown) {
        found = this;
    } else if (iid == ids::HostTimeConverter) {
        found = converter;
    } else if (iid == ids::HostAuxService) {
        found = aux;
    } else if (iid == ids::HostLiveService) {
        found = live;
    }
    if (found == nullptr) return E_NOINTERFACE;
    found->AddRef();
    *object = found;
    return S_OK;
}
