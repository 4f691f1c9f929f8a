// The one door into a filter object for everything outside the engine: the editor page, the
// scripted host and the file tool, the validator, the fuzz targets, the benchmarks and the
// tests. The host itself uses only the COM faces (Arpeggiator.h). Whatever is not here, no one
// outside the engine may do to a filter.
//
// A FilterAccess is a small handle: make one where it is needed, on any thread; it holds no
// reference (the owner keeps the filter alive) and costs nothing to copy. Every operation says
// which thread calls it and whether it takes the filter's lock. The lock is recursive, so an
// operation that takes it may run inside EditParams or ViewParams.
#pragma once

#include <cstdint>
#include <utility>

#include "engine/Arpeggiator.h"
#include "platform/ScopedLock.h"

class FilterAccess {
public:
    explicit FilterAccess(CArpeggiator& target) : filter(target) {}

    // --- The parameter block. The engine reads it afresh on every call and clamps nothing:
    // writers keep the ranges the page keeps (the tools may store anything, as a project can).

    // A copy of the block. [any thread, takes lock]
    ArpeggiatorParams ReadParams() const;
    // Replaces the whole block, tag and version included. [any thread, takes lock]
    void WriteParams(const ArpeggiatorParams& params);
    // Runs edit(ArpeggiatorParams&) while holding the lock and returns what it returns; the
    // page writes a parameter and refreshes its controls inside one call. [any thread, takes lock]
    template <typename Edit>
    decltype(auto) EditParams(Edit&& edit) {
        ScopedLock hold(filter.lock);
        return std::forward<Edit>(edit)(*filter.params);
    }
    // The same for readers: view(const ArpeggiatorParams&). [any thread, takes lock]
    template <typename View>
    decltype(auto) ViewParams(View&& view) const {
        ScopedLock hold(filter.lock);
        return std::forward<View>(view)(static_cast<const ArpeggiatorParams&>(*filter.params));
    }

    // --- What the page exchanges with the engine

    // The text of the chord the engine last handed to the page. [ui thread, takes lock]
    ChordText CopyChordName() const;
    // The player's pass-through was switched off: the next live call silences the keys it let
    // through. [ui thread, takes lock]
    void RequestFlushHeld();
    // The page that the engine notifies of new chords and that persistence refreshes; null for
    // none. Unbind clears the link only while it still names `page`. [ui thread, takes lock]
    void BindEditorPage(IEditorPageLink* page);
    void UnbindEditorPage(IEditorPageLink* page);
    // The host's time converter, null while detached; valid while the host keeps the filter
    // attached. The page converts rate units through it inside EditParams. [any thread]
    IHostTimeConverter* TimeConverter() const;

    // --- The millisecond clock, for tests, the scripted host and hosts without a timer
    // (a plug-in wrapper driven by its audio clock). Once stopped, only these move it.

    // [any thread; never while a filter call runs]
    void StopClock();
    // Restarts the timer from 0. [any thread; never while a filter call runs]
    void StartClock();
    // [any thread] The timer thread races with these unless the clock is stopped.
    uint32_t Clock() const;
    void SetClock(uint32_t ms);
    void AdvanceClock(uint32_t ms);

private:
    CArpeggiator& filter;
};
