// What the filter calls on the host and the records it exchanges with it. The record layouts
// are the host's: packed, little-endian, with bytes the filter copies through untouched.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/ComTypes.h"

#pragma pack(push, 1)

// One event of a playback window (FilterEvents queues).
struct EventRecord {
    uint32_t time;  // tick position; compared as a signed song position
    uint8_t hostBytes4[2];
    uint32_t kind;  // kEventKindNote for notes; everything else is forwarded unchanged
    uint8_t key;
    uint8_t velocity;
    uint8_t hostByte12;
    uint32_t duration;  // ticks
    uint8_t hostByte17;
};

// One short MIDI message of live input (FilterLiveInput queues).
struct ShortMessageRecord {
    uint32_t time;
    uint8_t status;
    uint8_t data1;
    uint8_t data2;
    uint8_t reserved;
};

#pragma pack(pop)

static_assert(sizeof(EventRecord) == 18);
static_assert(offsetof(EventRecord, time) == 0);
static_assert(offsetof(EventRecord, hostBytes4) == 4);
static_assert(offsetof(EventRecord, kind) == 6);
static_assert(offsetof(EventRecord, key) == 10);
static_assert(offsetof(EventRecord, velocity) == 11);
static_assert(offsetof(EventRecord, hostByte12) == 12);
static_assert(offsetof(EventRecord, duration) == 13);
static_assert(offsetof(EventRecord, hostByte17) == 17);

static_assert(sizeof(ShortMessageRecord) == 8);
static_assert(offsetof(ShortMessageRecord, time) == 0);
static_assert(offsetof(ShortMessageRecord, status) == 4);
static_assert(offsetof(ShortMessageRecord, data1) == 5);
static_assert(offsetof(ShortMessageRecord, data2) == 6);
static_assert(offsetof(ShortMessageRecord, reserved) == 7);

inline constexpr uint32_t kEventKindNote = 0;

// Song time conversion. Conversions are absolute positions; MsToTicks is monotonic and the
// inverse of TicksToMs.
struct IHostTimeConverter : IUnknown {
    virtual int32_t STDMETHODCALLTYPE TicksToMs(int32_t ticks) = 0;
    virtual int32_t STDMETHODCALLTYPE MsToTicks(int32_t ms) = 0;
    virtual int32_t STDMETHODCALLTYPE GetTicksPerQuarter() = 0;
};

// Held from attach to detach; the filter never calls it.
struct IHostAuxService : IUnknown {};

struct IHostLiveService : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetLookAheadMs(uint32_t* lookAheadMs) = 0;
    virtual HRESULT STDMETHODCALLTYPE BeginLive() = 0;
    virtual HRESULT STDMETHODCALLTYPE EndLive() = 0;
};

// A queue of EventRecord (playback) or ShortMessageRecord (live); the queue's owner knows
// which. Handed to the filter per call, never queried.
struct IHostEventQueue : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Add(const void* record) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCount(int32_t* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAt(int32_t index, void* record) = 0;
};

// The face the host drives the filter through.
struct IMfxEventFilter : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE AttachHost(IUnknown* host) = 0;
    virtual HRESULT STDMETHODCALLTYPE DetachHost() = 0;
    virtual HRESULT STDMETHODCALLTYPE PlaybackStarted(int32_t time, IHostEventQueue* queue) = 0;
    virtual HRESULT STDMETHODCALLTYPE PlaybackLooped(int32_t restartTime, int32_t endTime,
                                                     IHostEventQueue* queue) = 0;
    virtual HRESULT STDMETHODCALLTYPE PlaybackStopped(int32_t time, IHostEventQueue* queue) = 0;
    virtual HRESULT STDMETHODCALLTYPE FilterEvents(int32_t from, int32_t thru,
                                                   IHostEventQueue* input,
                                                   IHostEventQueue* output) = 0;
    virtual HRESULT STDMETHODCALLTYPE FilterLiveInput(IHostEventQueue* input,
                                                      IHostEventQueue* output) = 0;
};

// The host's switch for a plug-in's own enable state; this filter keeps its bypass in its
// parameter block instead and accepts the call without acting on it.
struct IVeskarEnablePlugin : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetPluginEnabled(VARIANT_BOOL enable) = 0;
};
