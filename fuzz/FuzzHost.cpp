#include "fuzz/FuzzHost.h"

#include "engine/FilterTestView.h"
#include "fuzz/FilterRest.h"

FuzzFilter& FuzzFilter::Shared() {
    static FuzzFilter filter;
    return filter;
}

FuzzFilter::FuzzFilter() { filter->DetachHost(); }

void FuzzFilter::Begin(const HostShape& shape, const ArpeggiatorParams& params) {
    BringToRest(*this);
    Reshape(shape);
    Door().WriteParams(params);
    AttachTo(shape.services);
}

void FuzzFilter::End() {
    Door().UnbindEditorPage(&page);
    filter->DetachHost();
    FUZZ_CHECK(converter.ForeignRefs() == 0 && live.ForeignRefs() == 0 && aux.ForeignRefs() == 0);
    FUZZ_CHECK(host.ForeignRefs() == 0 && withoutLive.ForeignRefs() == 0 &&
               withoutAux.ForeignRefs() == 0 && withoutConverter.ForeignRefs() == 0);
}

HRESULT FuzzFilter::AttachTo(HostShape::Services services) {
    SimHost* const hosts[] = {&host, &withoutLive, &withoutAux, &withoutConverter};
    SimHost* chosen = hosts[services % HostShape::kServicesCount];
    chosen->AddRef();  // AttachHost releases the reference it is handed
    return filter->AttachHost(chosen);
}

void FuzzFilter::Reshape(const HostShape& shape) {
    converter.ticksPerQuarter = shape.ticksPerQuarter;
    converter.usPerQuarter = shape.usPerQuarter;
    live.lookAheadMs = shape.lookAheadMs;
}

size_t FuzzFilter::Pending() const { return FilterTestView(*filter).State().pending.Size(); }

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

// A detached filter passes live input through as it came, like a bypassed one. Otherwise
// only note-ons leave the live path (a note-off is a note-on of velocity 0), at time 0 or 1.
void FuzzFilter::CheckLive(const MessageQueue& output) const {
    const PendingList& pending = FilterTestView(*filter).State().pending;
    FUZZ_CHECK(pending.Size() <= pending.Capacity());
    const ArpeggiatorParams params = Door().ReadParams();
    const bool passesInput = params.enabled == 0 || Door().TimeConverter() == nullptr;
    if (params.playOriginals != 0 || passesInput) return;
    for (const ShortMessageRecord& m : output.records) {
        FUZZ_CHECK(m.data1 <= 127);
        FUZZ_CHECK(m.data2 <= 127);
        FUZZ_CHECK((m.status & midi::kKindMask) == midi::kNoteOn);
        FUZZ_CHECK(m.time == 0 || (m.time == 1 && m.data2 == 0));
    }
}
