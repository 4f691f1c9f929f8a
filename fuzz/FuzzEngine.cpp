// Any parameter block, then any sequence of host calls: playback windows, live batches and
// ticks, transport, parameter writes under the lock, clock moves, detach and attach. Every
// call must return, and everything the arpeggio generates must be a valid MIDI note.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/TimeMath.h"
#include "fuzz/FuzzHost.h"

namespace {

class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data(data), size(size) {}
    bool Empty() const { return position >= size; }
    uint8_t U8() { return position < size ? data[position++] : 0; }
    template <typename T>
    T Take() {
        T value{};
        const size_t n = std::min(sizeof value, size - std::min(position, size));
        std::memcpy(&value, data + position, n);
        position += n;
        return value;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t position = 0;
};

struct Tempo {
    int32_t ticksPerQuarter;
    int64_t usPerQuarter;
};
constexpr Tempo kHosts[] = {{960, 500000},  {96, 250000}, {1, 1},          {0, 500000},
                            {-480, 500000}, {480, 0},     {30000, 100000}, {2147483647, 1}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Bytes in(data, size);
    const Tempo host = kHosts[in.U8() % std::size(kHosts)];
    FuzzFilter filter(host.ticksPerQuarter, host.usPerQuarter, in.Take<uint16_t>());
    filter.Door().WriteParams(in.Take<ArpeggiatorParams>());

    int32_t from = in.Take<int16_t>();
    for (int call = 0; call < 64 && !in.Empty(); ++call) {
        const uint8_t op = in.U8();
        switch (op % 10) {
            case 0: {
                EventQueue input;
                EventQueue output;
                const int n = in.U8() % 9;
                for (int i = 0; i < n; ++i) input.records.push_back(in.Take<EventRecord>());
                const int32_t length = in.Take<int16_t>() % 1500;
                if ((op & 0x80) != 0) from = in.Take<int32_t>();
                const auto thru = timemath::Saturate(int64_t{from} + length);
                input.failGetAtIndex = (op & 0x40) != 0 ? in.U8() % 9 : -1;
                filter->FilterEvents(from, thru, &input, &output);
                filter.CheckPlayback(output);
                from = thru == INT32_MAX ? 0 : thru + 1;
                break;
            }
            case 1:
            case 2: {
                MessageQueue input;
                MessageQueue output;
                const int n = op % 10 == 2 ? 0 : 1 + in.U8() % 8;
                for (int i = 0; i < n; ++i) input.records.push_back(in.Take<ShortMessageRecord>());
                filter->FilterLiveInput(&input, &output);
                filter.CheckLive(output);
                break;
            }
            case 3:
                filter->PlaybackStarted(0, nullptr);
                break;
            case 4:
                filter->PlaybackLooped(0, 0, nullptr);
                break;
            case 5:
                filter->PlaybackStopped(0, nullptr);
                break;
            case 6: {
                // The editor writes one field at a time under the lock.
                const size_t field = in.U8() % 19;
                const auto value = in.Take<int32_t>();
                filter.Door().EditParams([field, value](ArpeggiatorParams& params) {
                    std::memcpy(reinterpret_cast<uint8_t*>(&params) + 4 * field, &value,
                                sizeof value);
                });
                break;
            }
            case 7: {
                const auto ms = in.Take<uint32_t>();
                if ((op & 0x80) != 0) {
                    filter.Door().SetClock(ms);
                } else {
                    filter.Door().AdvanceClock(ms % 4096);
                }
                break;
            }
            case 8:
                filter.Door().RequestFlushHeld();
                break;
            default:
                filter->DetachHost();
                if ((op & 0x80) == 0) filter.Attach();
                break;
        }
    }
    return 0;
}
