#include "fuzz/FuzzInput.h"

#include <limits>

#include "engine/TimeMath.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// Values where arithmetic on settings, keys and song positions changes behaviour: the ends of
// the 32-bit range and of the song range, the key range, an octave, a percent.
constexpr int32_t kEdges[] = {kMin, kMin + 1, -1000000000, -65536,      -129,       -128,     -101,
                              -100, -13,      -12,         -11,         -2,         -1,       0,
                              1,    2,        11,          12,          13,         59,       60,
                              99,   100,      101,         126,         127,        128,      255,
                              256,  65535,    1000000000,  kMax - 1000, kMax - 100, kMax - 1, kMax};

struct FieldRange {
    int32_t low;
    int32_t high;
};

// What the editor page stores, field by field, in the block's order.
constexpr FieldRange kEditorRanges[kParamsFieldCount] = {
    {0, 126},     // leftHandBottom
    {1, 127},     // leftHandSpan
    {0, 115},     // arpBottom
    {12, 127},    // arpSpan
    {-100, 100},  // swing
    {0, 2},       // rateUnits
    {0, 10},      // noteValue
    {0, 3},       // pathDirection
    {1, 500},     // rateAmount
    {10, 99},     // legato
    {0, 1},       // playOriginals
    {0, 1},       // leftHandWindowOn
    {0, 1},       // keepInRange
};

}  // namespace

int32_t ConsumeSetting(FuzzedDataProvider& in, int32_t low, int32_t high) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return in.ConsumeIntegralInRange(low, high);
        case 1:
            return in.PickValueInArray(kEdges);
        case 2:
            return in.ConsumeIntegral<int32_t>();
        default: {
            // Just inside and just outside the range.
            const int64_t ends[] = {int64_t{low} - 1, low, high, int64_t{high} + 1};
            return timemath::Saturate(in.PickValueInArray(ends));
        }
    }
}

int32_t ConsumeField(FuzzedDataProvider& in, int index) {
    const FieldRange range = kEditorRanges[index % kParamsFieldCount];
    return ConsumeSetting(in, range.low, range.high);
}

ArpeggiatorParams ConsumeParams(FuzzedDataProvider& in) {
    ArpeggiatorParams params = DefaultArpeggiatorParams();
    int32_t* fields = &params.leftHandBottom;
    for (int i = 0; i < kParamsFieldCount; ++i) fields[i] = ConsumeField(in, i);
    // The engine never reads the tag, the version or the reserved bytes; now and then they
    // are anything, as a block written by a tool can be.
    if (in.ConsumeIntegralInRange(0, 7) == 0) {
        params.formatTag.Data1 = in.ConsumeIntegral<uint32_t>();
        params.formatVersion = in.ConsumeIntegral<uint16_t>();
        params.reserved[0] = in.ConsumeIntegral<uint8_t>();
    }
    params.enabled = ConsumeSetting(in, 1, 1);
    return params;
}

HostShape ConsumeHostShape(FuzzedDataProvider& in) {
    HostShape shape;
    shape.services = static_cast<HostShape::Services>(
        in.ConsumeIntegralInRange<int>(0, HostShape::kServicesCount - 1));
    shape.ticksPerQuarter = ConsumeSetting(in, 24, 1920);
    shape.usPerQuarter = ConsumeSetting(in, 100000, 2000000);
    shape.lookAheadMs = static_cast<uint32_t>(ConsumeSetting(in, 0, 500));
    return shape;
}

int32_t ConsumeTick(FuzzedDataProvider& in) { return ConsumeSetting(in, -200, 20000); }
