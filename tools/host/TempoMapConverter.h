// A song's time converter that follows its tempo map, as a sequencer's does: milliseconds are
// counted from tick 0 through every tempo change, so a millisecond step rate sets fewer ticks
// per step where the song slows down.
#pragma once

#include <cstdint>
#include <vector>

#include "host/HostObjects.h"

struct TempoChange {
    int32_t tick;          // song position where the tempo takes effect
    int32_t usPerQuarter;  // microseconds per quarter note, above 0
};

class TempoMapConverter final : public HostObject<IHostTimeConverter> {
public:
    // Changes need not be sorted; of several at one tick the last in the list counts. Before
    // the first change (and without any) the tempo is 500000 us per quarter (120 BPM), as in a
    // MIDI file. Changes at negative ticks or with a tempo of 0 or less are ignored.
    TempoMapConverter(int32_t ticksPerQuarter, const std::vector<TempoChange>& changes);

    // Both conversions truncate toward zero and saturate to 32 bits. Ticks before 0 run at the
    // tempo of tick 0, so the mapping stays monotonic for any argument. [any thread]
    int32_t STDMETHODCALLTYPE TicksToMs(int32_t ticks) override;
    int32_t STDMETHODCALLTYPE MsToTicks(int32_t ms) override;
    int32_t STDMETHODCALLTYPE GetTicksPerQuarter() override { return ticksPerQuarter; }

    // Microseconds from tick 0 to `ticks` (a 32-bit position), exact but for truncation at
    // each tempo change.
    int64_t TicksToUs(int64_t ticks) const;

private:
    const IID& OwnIid() const override { return ids::HostTimeConverter; }

    struct Segment {
        int64_t tick;  // first tick of the segment
        int64_t us;    // microseconds from tick 0 to `tick`
        int64_t usPerQuarter;
    };
    const Segment& SegmentAtTick(int64_t ticks) const;
    const Segment& SegmentAtUs(int64_t us) const;

    int32_t ticksPerQuarter;
    std::vector<Segment> segments;  // by tick; segments[0].tick == 0
};
