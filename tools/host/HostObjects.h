// A host for the filter outside a sequencer: the services and event queues that the filter
// calls, written for the command-line tools and the tests. Every object counts its references
// so that a test sees a leak or a double release, and each queue can be told to fail.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/HostInterfaces.h"
#include "engine/HostObject.h"
#include "engine/InterfaceIds.h"

// A constant tempo: ms = ticks * usPerQuarter / (1000 * ticksPerQuarter), and the inverse,
// in 64-bit integers truncated toward zero, the results narrowed to 32 bits.
class ConstantTempoConverter final : public HostObject<IHostTimeConverter> {
public:
    ConstantTempoConverter(int32_t ticks, int64_t microseconds)
        : ticksPerQuarter(ticks), usPerQuarter(microseconds) {}
    int32_t STDMETHODCALLTYPE TicksToMs(int32_t ticks) override;
    int32_t STDMETHODCALLTYPE MsToTicks(int32_t ms) override;
    int32_t STDMETHODCALLTYPE GetTicksPerQuarter() override { return ticksPerQuarter; }

    int32_t ticksPerQuarter;
    int64_t usPerQuarter;

protected:
    const IID& OwnIid() const override { return ids::HostTimeConverter; }
};

class HostAuxService final : public HostObject<IHostAuxService> {
protected:
    const IID& OwnIid() const override { return ids::HostAuxService; }
};

class HostLiveService final : public HostObject<IHostLiveService> {
public:
    explicit HostLiveService(uint32_t lookAhead = 0) : lookAheadMs(lookAhead) {}
    HRESULT STDMETHODCALLTYPE GetLookAheadMs(uint32_t* out) override {
        if (out == nullptr) return E_POINTER;
        *out = lookAheadMs;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE BeginLive() override {
        ++beginCount;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EndLive() override {
        ++endCount;
        return S_OK;
    }

    uint32_t lookAheadMs;
    int32_t beginCount = 0;
    int32_t endCount = 0;

protected:
    const IID& OwnIid() const override { return ids::HostLiveService; }
};

// A growable queue of one record type. failGetCount makes GetCount fail without writing;
// failGetAtIndex makes GetAt fail for that one index without writing.
template <typename Record>
class HostEventQueue final : public HostObject<IHostEventQueue> {
public:
    HRESULT STDMETHODCALLTYPE Add(const void* record) override {
        Record copy;
        std::memcpy(&copy, record, sizeof copy);
        records.push_back(copy);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCount(int32_t* count) override {
        if (failGetCount) return E_FAIL;
        *count = static_cast<int32_t>(records.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetAt(int32_t index, void* record) override {
        if (index == failGetAtIndex) return E_FAIL;
        if (index < 0 || static_cast<size_t>(index) >= records.size()) return E_INVALIDARG;
        std::memcpy(record, &records[static_cast<size_t>(index)], sizeof(Record));
        return S_OK;
    }

    std::vector<Record> records;
    bool failGetCount = false;
    int32_t failGetAtIndex = -1;

protected:
    // Queues are handed to the filter, never queried; IUnknown only.
    const IID& OwnIid() const override { return ids::Unknown; }
};

using EventQueue = HostEventQueue<EventRecord>;
using MessageQueue = HostEventQueue<ShortMessageRecord>;

// The host object handed to AttachHost: it answers for whichever services it was given.
class SimHost final : public HostObject<IUnknown> {
public:
    SimHost(IHostTimeConverter* timeConverter, IHostAuxService* auxService,
            IHostLiveService* liveService)
        : converter(timeConverter), aux(auxService), live(liveService) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

private:
    const IID& OwnIid() const override { return ids::Unknown; }

    IHostTimeConverter* converter;
    IHostAuxService* aux;
    IHostLiveService* live;
};

// One playback call and one live call with the given records as the input queue, returning what
// the filter put in a fresh output queue.
std::vector<EventRecord> FilterWindow(IMfxEventFilter* filter, int32_t from, int32_t thru,
                                      const std::vector<EventRecord>& in);
std::vector<ShortMessageRecord> FilterLive(IMfxEventFilter* filter,
                                           const std::vector<ShortMessageRecord>& in);
