#include "fuzz/FuzzHost.h"

#include "engine/FilterTestView.h"

FuzzFilter::~FuzzFilter() {
    filter->DetachHost();
    FUZZ_CHECK(converter.ForeignRefs() == 0 && live.ForeignRefs() == 0 && aux.ForeignRefs() == 0);
}

// With pass-through on or the effect bypassed, played notes come out as they went in, whatever
// their bytes; otherwise every note record in the output was generated and must be valid.
void FuzzFilter::CheckPlayback(const EventQueue& output) const {
    const ArpeggiatorParams params = Door().ReadParams();
    if (params.playOriginals != 0 || params.enabled == 0) return;
    for (const EventRecord& r : output.records) {
        if (r.kind != kEventKindNote) continue;
        FUZZ_CHECK(r.key <= 127);
        FUZZ_CHECK(r.velocity <= 127);
        FUZZ_CHECK(r.duration >= 1);
    }
}

// A detached filter passes live input through as it came, like a bypassed one.
void FuzzFilter::CheckLive(const MessageQueue& output) const {
    const ArpeggiatorParams params = Door().ReadParams();
    const bool passesInput = params.enabled == 0 || Door().TimeConverter() == nullptr;
    if (params.playOriginals != 0 || passesInput) return;
    for (const ShortMessageRecord& m : output.records) {
        FUZZ_CHECK(m.data1 <= 127);
        FUZZ_CHECK(m.data2 <= 127);
        FUZZ_CHECK((m.status & midi::kKindMask) == midi::kNoteOn);
    }
    const PendingList& pending = FilterTestView(*filter).State().pending;
    FUZZ_CHECK(pending.Size() <= pending.Capacity());
}

void FuzzFilter::PlayAndCheck() {
    EventQueue input;
    EventQueue output;
    for (int k = 0; k < 3; ++k) {
        EventRecord note{};
        note.key = static_cast<uint8_t>(48 + 4 * k);
        note.velocity = 100;
        note.duration = 400;
        input.records.push_back(note);
    }
    for (int32_t from = 0; from < 800; from += 200)
        filter->FilterEvents(from, from + 199, &input, &output);
    CheckPlayback(output);

    MessageQueue messages;
    messages.records = {{0, midi::kNoteOn, 60, 100, 0}, {0, midi::kNoteOn, 30, 90, 0}};
    MessageQueue tick;
    MessageQueue liveOut;
    filter->FilterLiveInput(&messages, &liveOut);
    for (int i = 0; i < 8; ++i) {
        Door().AdvanceClock(20);
        filter->FilterLiveInput(&tick, &liveOut);
    }
    CheckLive(liveOut);
}
