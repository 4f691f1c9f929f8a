#include "engine/FilterAccess.h"

ArpeggiatorParams FilterAccess::ReadParams() const {
    return ViewParams([](const ArpeggiatorParams& params) { return params; });
}

void FilterAccess::WriteParams(const ArpeggiatorParams& params) {
    EditParams([&params](ArpeggiatorParams& block) { block = params; });
}

ChordText FilterAccess::CopyChordName() const {
    ScopedLock hold(filter.lock);
    return filter.chordName;
}

void FilterAccess::RequestFlushHeld() {
    ScopedLock hold(filter.lock);
    filter.flushHeld = 1;
}

void FilterAccess::BindEditorPage(IEditorPageLink* page) {
    ScopedLock hold(filter.lock);
    filter.editorPage = page;
}

void FilterAccess::UnbindEditorPage(IEditorPageLink* page) {
    ScopedLock hold(filter.lock);
    if (filter.editorPage == page) filter.editorPage = nullptr;
}

IHostTimeConverter* FilterAccess::TimeConverter() const { return filter.timeConverter; }

void FilterAccess::StopClock() { filter.StopMillisecondClock(); }

void FilterAccess::StartClock() { filter.StartMillisecondClock(); }

uint32_t FilterAccess::Clock() const { return filter.msClock.load(std::memory_order_relaxed); }

void FilterAccess::SetClock(uint32_t ms) { filter.msClock.store(ms, std::memory_order_relaxed); }

// Unsigned: the clock wraps as the system's millisecond count does.
void FilterAccess::AdvanceClock(uint32_t ms) {
    filter.msClock.store(Clock() + ms, std::memory_order_relaxed);
}
