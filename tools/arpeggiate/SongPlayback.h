// Plays a song's tracks through their filters as a sequencer's playback does: the filters are
// attached to the host's services, told that playback starts, handed each track's events
// window by window from tick 0 without gaps, told that it stopped, and detached.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "arpeggiate/ChordWatch.h"
#include "host/HostObjects.h"

class SongPlayback {
public:
    // `converter` must outlive the playback. A window covers `windowTicks` ticks (at least 2:
    // the filter does no work in a call whose first and last tick are the same).
    SongPlayback(IHostTimeConverter* converter, int32_t windowTicks);
    // Detaches and releases every filter.
    ~SongPlayback();
    SongPlayback(const SongPlayback&) = delete;
    SongPlayback& operator=(const SongPlayback&) = delete;

    // Attaches the filter and takes over the caller's reference. `input` (records by time)
    // must outlive the playback; `chords`, if given, learns each window's start. Throws
    // std::runtime_error when the filter refuses the host.
    void AddTrack(IMfxEventFilter* filter, std::span<const EventRecord> input, ChordWatch* chords);

    // Plays every track from tick 0 through `songEnd`. `progress` hears the fraction done from
    // time to time.
    void Play(int32_t songEnd, const std::function<void(double)>& progress);

    // What the track's filter put in its output queues, call after call.
    std::span<const EventRecord> Output(size_t track) const;

private:
    struct Lane {
        IMfxEventFilter* filter = nullptr;
        std::span<const EventRecord> input;
        size_t next = 0;  // first input record not yet handed over
        ChordWatch* chords = nullptr;
        EventQueue output;
    };

    int32_t windowTicks;
    HostAuxService aux;
    HostLiveService live;
    SimHost host;
    EventQueue window;     // the records of the current window, refilled per call
    EventQueue transport;  // handed to the transport calls, which leave it alone
    std::vector<std::unique_ptr<Lane>> lanes;
};
