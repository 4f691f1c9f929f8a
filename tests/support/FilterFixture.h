// A filter attached to a simulated host, with its clock stopped so that tests move msClock by
// hand, and small helpers to build records and run calls.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Arpeggiator.h"
#include "engine/FilterTestView.h"
#include "host/AttachedFilter.h"

EventRecord Note(int32_t time, int key, int velocity, uint32_t duration);
EventRecord NonNote(int32_t time, uint32_t kind, uint8_t marker);
ShortMessageRecord Message(uint8_t status, uint8_t data1, uint8_t data2);
// Note messages as a player sends them; a note-off has velocity 0.
ShortMessageRecord On(int key, int velocity = 100, int channel = 0);
ShortMessageRecord Off(int key, int channel = 0);

// Steps of `ticks` MIDI ticks without swing: every step's time is its grid time.
void TickRate(ArpeggiatorParams& p, int32_t ticks);

// A filter of the test's own, attached to no host, its clock stopped; released with the pointer.
struct ReleaseFilter {
    void operator()(CArpeggiator* filter) const { filter->Release(); }
};
using FilterPtr = std::unique_ptr<CArpeggiator, ReleaseFilter>;
FilterPtr NewFilter();

class FilterHarness : public AttachedFilter {
public:
    // 960 ticks per quarter at 120 BPM unless told otherwise: one tick is 1/1920 s.
    explicit FilterHarness(int32_t ticksPerQuarter = 960, int64_t usPerQuarter = 500000,
                           uint32_t lookAheadMs = 0)
        : AttachedFilter({ticksPerQuarter, usPerQuarter, lookAheadMs}) {}

    // The block without the lock: tests set it up on one thread.
    ArpeggiatorParams& Params() { return View().ParamsUnlocked(); }
    FilterTestView View() const { return FilterTestView(*filter); }
    const ArpeggiatorState& State() const { return View().State(); }

    std::vector<EventRecord> Play(int32_t from, int32_t thru, const std::vector<EventRecord>& in);
    std::vector<ShortMessageRecord> Live(const std::vector<ShortMessageRecord>& in);
    std::vector<ShortMessageRecord> Tick() { return Live({}); }
    void SetClock(uint32_t ms) { Door().SetClock(ms); }
    void AdvanceClock(uint32_t ms) { Door().AdvanceClock(ms); }
};

// Notes of the arpeggio only (the records the filter generated or passed as notes).
std::vector<int> Keys(const std::vector<EventRecord>& records);
std::vector<int> Times(const std::vector<EventRecord>& records);
