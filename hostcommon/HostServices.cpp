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

int32_t SampleClockConverter::TicksAtTempo(int64_t fromMs, int64_t fromTicks, int64_t ms) const {
    const int64_t offset = ScaleFloor((ms - fromMs) * kUsPerMs, kTicksPerQuarter, usPerQuarter);
    return ScaleFloor(fromTicks + offset, 1, 1);
}

int32_t SampleClockConverter::MsAtTempo(int64_t fromMs, int64_t fromTicks, int64_t ticks) const {
    const int64_t offset = ScaleFloor(ticks - fromTicks, usPerQuarter, kUsPerMs * kTicksPerQuarter);
    return ScaleFloor(fromMs + offset, 1, 1);
}

int32_t STDMETHODCALLTYPE SampleClockConverter::MsToTicks(int32_t ms) {
    if (ms >= originMs) return TicksAtTempo(originMs, originTicks, ms);
    if (ms < nearMs) return TicksAtTempo(0, 0, ms);
    return ScaleFloor(
        nearTicks + ScaleFloor(ms - nearMs, originTicks - nearTicks, originMs - nearMs), 1, 1);
}

int32_t STDMETHODCALLTYPE SampleClockConverter::TicksToMs(int32_t ticks) {
    if (ticks >= originTicks) return MsAtTempo(originMs, originTicks, ticks);
    if (ticks < nearTicks) return MsAtTempo(0, 0, ticks);
    return ScaleFloor(
        nearMs + ScaleFloor(ticks - nearTicks, originMs - nearMs, originTicks - nearTicks), 1, 1);
}

// The near piece keeps kNearZeroMs at the new tempo when the change lies far enough above it
// for the middle piece to rise; otherwise it shrinks to what fits (for a change to a tempo
// hundreds of times faster, even to nothing, and the middle piece starts at 0).
void SampleClockConverter::ChangeTempo(int32_t ms, int64_t microseconds) {
    if (microseconds <= 0 || microseconds == usPerQuarter || ms <= kNearZeroMs) return;
    const int64_t ticks = MsToTicks(ms);
    if (ticks <= 0) return;  // not a tick yet at a tempo this slow: nothing to join
    usPerQuarter = microseconds;
    nearMs = kNearZeroMs;
    nearTicks = TicksAtTempo(0, 0, nearMs);
    while (nearMs > 0 && nearTicks >= ticks) {
        nearMs /= 2;
        nearTicks = TicksAtTempo(0, 0, nearMs);
    }
    originMs = ms;
    originTicks = ticks;
}

void SampleClockConverter::Restart() { nearMs = nearTicks = originMs = originTicks = 0; }

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
