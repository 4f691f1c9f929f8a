// A filter created the way a host creates one: by class id through COM, attached to a simulated
// host. The validator never links the engine: everything goes through the registered module.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/ArpeggiatorParams.h"
#include "engine/HostInterfaces.h"
#include "host/HostObjects.h"

class ComFilter {
public:
    // Creates and attaches; ok() is false when COM refused.
    explicit ComFilter(uint32_t lookAheadMs = 100);
    ~ComFilter();
    ComFilter(const ComFilter&) = delete;
    ComFilter& operator=(const ComFilter&) = delete;

    bool ok() const { return filter != nullptr && persist != nullptr; }
    IMfxEventFilter* operator->() const { return filter; }

    // The 76 bytes Save writes (empty when Save failed).
    std::vector<uint8_t> Save();
    HRESULT Load(const std::vector<uint8_t>& bytes);
    HRESULT LoadParams(const ArpeggiatorParams& params);

    std::vector<EventRecord> Play(int32_t from, int32_t thru, const std::vector<EventRecord>& in);
    std::vector<ShortMessageRecord> Live(const std::vector<ShortMessageRecord>& in);

private:
    ConstantTempoConverter converter;
    HostAuxService aux;
    HostLiveService live;
    SimHost host;
    IMfxEventFilter* filter = nullptr;
    IPersistStream* persist = nullptr;
};

// Seconds on the system's high-resolution counter.
double NowSeconds();
