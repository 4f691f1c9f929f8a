#include "host/HostObjects.h"

#include "engine/TimeMath.h"

namespace {

// a * b / c truncated toward zero and pinned to 32 bits; the product is taken in 128 bits so
// that no tempo a test or fuzzer sets up can overflow it.
int32_t ScaleSaturating(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return 0;
    const __int128 value = static_cast<__int128>(a) * b / c;
    if (value > timemath::kMax) return static_cast<int32_t>(timemath::kMax);
    if (value < timemath::kMin) return static_cast<int32_t>(timemath::kMin);
    return static_cast<int32_t>(value);
}

}  // namespace

int32_t STDMETHODCALLTYPE ConstantTempoConverter::TicksToMs(int32_t ticks) {
    return ScaleSaturating(ticks, usPerQuarter, int64_t{1000} * ticksPerQuarter);
}

int32_t STDMETHODCALLTYPE ConstantTempoConverter::MsToTicks(int32_t ms) {
    return ScaleSaturating(int64_t{ms} * 1000, ticksPerQuarter, usPerQuarter);
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

std::vector<EventRecord> FilterWindow(IMfxEventFilter* filter, int32_t from, int32_t thru,
                                      const std::vector<EventRecord>& in) {
    EventQueue input;
    EventQueue output;
    input.records = in;
    filter->FilterEvents(from, thru, &input, &output);
    return output.records;
}

std::vector<ShortMessageRecord> FilterLive(IMfxEventFilter* filter,
                                           const std::vector<ShortMessageRecord>& in) {
    MessageQueue input;
    MessageQueue output;
    input.records = in;
    filter->FilterLiveInput(&input, &output);
    return output.records;
}
