// The host side of the engine's interfaces as the plug-in provides them: the time converter
// that follows the host's tempo, the live service, the aux service, the object handed to
// AttachHost, and the chord link that stands in for the editor page. All live inside the
// plug-in instance; Release never deletes them, and nothing here allocates after construction.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/EditorPageLink.h"
#include "engine/HostInterfaces.h"
#include "engine/HostObject.h"
#include "engine/InterfaceIds.h"

// Milliseconds to ticks along the host's tempo, as a line of three pieces through (0, 0): from
// the last tempo change on, the host's tempo; before it, a straight piece from kNearZeroMs to
// the change; and up to kNearZeroMs the host's tempo again. The engine converts positions near
// the present (the clock, the grid, due times), which the last piece maps exactly, but it also
// converts its look-ahead as a position from 0, which the first piece turns into the
// look-ahead's length at the present tempo. Only positions between kNearZeroMs and the last
// change, which the plug-in's clock never shows (it starts at LiveScheduler::kAxisStartMs), are
// approximated. The mapping is continuous and monotonic, each direction the inverse of the
// other; at a constant tempo it is one line, equal to the test host's constant-tempo converter.
// Results saturate to 32 bits. [run thread]
class SampleClockConverter final : public HostObject<IHostTimeConverter> {
public:
    // 960 ticks per quarter note, and 120 BPM until the host sends a tempo.
    static constexpr int32_t kTicksPerQuarter = 960;
    static constexpr int64_t kDefaultUsPerQuarter = 500000;
    static constexpr int64_t kNearZeroMs = 100;

    int32_t STDMETHODCALLTYPE TicksToMs(int32_t ticks) override;
    int32_t STDMETHODCALLTYPE MsToTicks(int32_t ms) override;
    int32_t STDMETHODCALLTYPE GetTicksPerQuarter() override { return kTicksPerQuarter; }

    // From `ms` (above kNearZeroMs) on a quarter note lasts `microseconds` (above 0).
    void ChangeTempo(int32_t ms, int64_t microseconds);
    // One line from (0, 0) at the tempo in force, for a clock that starts again.
    void Restart();

private:
    const IID& OwnIid() const override { return ids::HostTimeConverter; }
    // Along the tempo in force, from (ms, ticks).
    int32_t TicksAtTempo(int64_t fromMs, int64_t fromTicks, int64_t ms) const;
    int32_t MsAtTempo(int64_t fromMs, int64_t fromTicks, int64_t ticks) const;

    // The middle piece runs from (nearMs, nearTicks) to (originMs, originTicks); with no
    // change since the start all four are 0 and the line is one piece.
    int64_t nearMs = 0;
    int64_t nearTicks = 0;
    int64_t originMs = 0;
    int64_t originTicks = 0;
    int64_t usPerQuarter = kDefaultUsPerQuarter;
};

class LiveService final : public HostObject<IHostLiveService> {
public:
    explicit LiveService(uint32_t lookAhead) : lookAheadMs(lookAhead) {}
    HRESULT STDMETHODCALLTYPE GetLookAheadMs(uint32_t* out) override;
    HRESULT STDMETHODCALLTYPE BeginLive() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EndLive() override { return S_OK; }

private:
    const IID& OwnIid() const override { return ids::HostLiveService; }
    uint32_t lookAheadMs;
};

class AuxService final : public HostObject<IHostAuxService> {
    const IID& OwnIid() const override { return ids::HostAuxService; }
};

// What AttachHost is handed: it answers for the three services.
class PluginHost final : public HostObject<IUnknown> {
public:
    PluginHost(SampleClockConverter& timeConverter, LiveService& liveService, AuxService& aux)
        : converter(timeConverter), live(liveService), auxService(aux) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

private:
    const IID& OwnIid() const override { return ids::Unknown; }

    SampleClockConverter& converter;
    LiveService& live;
    AuxService& auxService;
};

// The editor page as the engine sees it: always ready, so every chord the engine names is
// handed over; the plug-in takes the flag after each engine call and publishes the text.
// [run thread, called by the engine under its lock]
class ChordLink final : public IEditorPageLink {
public:
    bool IsReadyForChordText() override { return true; }
    void PostChordNotification() override { posted = true; }
    bool WindowExists() override { return false; }
    void RefreshAllControls() override {}

    bool TakePosted() {
        const bool was = posted;
        posted = false;
        return was;
    }

private:
    bool posted = false;
};
