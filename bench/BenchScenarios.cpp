#include "bench/BenchScenarios.h"

#include <algorithm>

#include "MidiConstants.h"
#include "engine/Arpeggiator.h"

using midi::kNoteOff;
using midi::kNoteOn;

namespace {
constexpr int32_t kWindowTicks = 120;  // what a host hands over at 120 BPM every ~60 ms
constexpr int32_t kSongTicks = 960 * 4 * 64;
constexpr size_t kOutputReserve = 1 << 16;
}  // namespace

EventsScenario::EventsScenario(int32_t noteCount, bool enabled) : notes(noteCount) {
    bench.Door().EditParams([enabled](ArpeggiatorParams& p) {
        p.enabled = enabled ? 1 : 0;
        p.rateUnits = kRateNotes;
        p.noteValue = 2;
    });
    output.records.reserve(kOutputReserve);
    for (int32_t i = 0; i < notes; ++i) {
        EventRecord r{};
        r.key = static_cast<uint8_t>(48 + (i * 7) % 36);
        r.velocity = 100;
        r.duration = 480;
        input.records.push_back(r);
    }
}

void EventsScenario::Step() {
    for (int32_t i = 0; i < notes; ++i) {
        input.records[static_cast<size_t>(i)].time =
            static_cast<uint32_t>(from + i * kWindowTicks / std::max(notes, 1));
    }
    output.records.clear();
    bench.filter->FilterEvents(from, from + kWindowTicks - 1, &input, &output);
    from = (from + kWindowTicks) % kSongTicks;
}

LiveScenario::LiveScenario(bool batch16, bool enabled) : bench({.lookAheadMs = 500}) {
    bench.Door().EditParams([enabled](ArpeggiatorParams& p) {
        p.enabled = enabled ? 1 : 0;
        p.rateUnits = kRateTicks;
        p.rateAmount = 60;
        p.playOriginals = 1;
    });
    output.records.reserve(kOutputReserve);

    MessageQueue hold;
    hold.records = {{0, kNoteOn, 60, 100, 0}, {0, kNoteOn, 64, 100, 0}, {0, kNoteOn, 67, 100, 0}};
    bench.filter->FilterLiveInput(&hold, &output);
    for (int i = 0; i < 16; ++i) {
        const auto key = static_cast<uint8_t>(72 + i % 8);
        messages.records.push_back({0, i < 8 ? kNoteOn : kNoteOff, key, 90, 0});
    }
    input = batch16 ? &messages : &tick;
}

void LiveScenario::Step() {
    output.records.clear();
    bench.Door().AdvanceClock(10);
    bench.filter->FilterLiveInput(input, &output);
}
