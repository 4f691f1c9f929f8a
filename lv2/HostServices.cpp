#include "HostServices.h"

#include <limits>

namespace {

// floor(a * b / c) for c > 0, in 128 bits, pinned to 32 bits.
int32_t ScaleFloor(int64_t a, int64_t b, int64_t c) {
    const __int128 product = static_cast<__int128>(a) * b;
    __int128 quotient = product / c;
    if (product % c != 0 && product < 0) --quotient;
    if (quotient > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (quotient < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(quotient);
}

constexpr int64_t kUsPerMs = 1000;

}  // namespace

int32_t STDMETHODCALLTYPE SampleClockConverter::TicksToMs(int32_t ticks) {
    if (originMs > 0 && originTicks > 0 && ticks < originTicks) {
        return ScaleFloor(ticks, originMs, originTicks);
    }
    const int64_t offset =
        ScaleFloor(ticks - originTicks, usPerQuarter, kUsPerMs * kTicksPerQuarter);
    return ScaleFloor(originMs + offset, 1, 1);
}

int32_t STDMETHODCALLTYPE SampleClockConverter::MsToTicks(int32_t ms) {
    if (InPast(ms)) return ScaleFloor(ms, originTicks, originMs);
    const int64_t offset = ScaleFloor((ms - originMs) * kUsPerMs, kTicksPerQuarter, usPerQuarter);
    return ScaleFloor(originTicks + offset, 1, 1);
}

void SampleClockConverter::ChangeTempo(int32_t ms, int64_t microseconds) {
    if (microseconds <= 0 || microseconds == usPerQuarter || ms <= 0) return;
    originTicks = MsToTicks(ms);
    originMs = ms;
    usPerQuarter = microseconds;
}

void SampleClockConverter::Restart() {
    originMs = 0;
    originTicks = 0;
}

HRESULT STDMETHODCALLTYPE LiveService::GetLookAheadMs(uint32_t* out) {
    if (out == nullptr) return E_POINTER;
    *out = lookAheadMs;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PluginHost::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    IUnknown* found = nullptr;
    if (iid == ids::Unknown) {
        found = this;
    } else if (iid == ids::HostTimeConverter) {
        found = &converter;
    } else if (iid == ids::HostLiveService) {
        found = &live;
    } else if (iid == ids::HostAuxService) {
        found = &auxService;
    }
    if (found == nullptr) return E_NOINTERFACE;
    found->AddRef();
    *object = found;
    return S_OK;
}
