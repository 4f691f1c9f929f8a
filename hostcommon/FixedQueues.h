// Fixed-capacity storage for the run thread: the live event queues handed to the engine, and
// the line of messages that wait for a later frame. Both are sized at instantiation; an append
// to a full one is refused, and the caller says what happens then.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "HostServices.h"

// A queue of ShortMessageRecord handed to FilterLiveInput. Add to a full queue fails with
// E_OUTOFMEMORY and drops the record. [run thread]
class MessageQueue final : public HostObject<IHostEventQueue> {
public:
    explicit MessageQueue(size_t maxRecords)
        : records(std::make_unique<ShortMessageRecord[]>(maxRecords)), capacity(maxRecords) {}

    HRESULT STDMETHODCALLTYPE Add(const void* record) override {
        if (record == nullptr) return E_POINTER;
        if (count == capacity) return E_OUTOFMEMORY;
        std::memcpy(&records[count++], record, sizeof(ShortMessageRecord));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCount(int32_t* out) override {
        if (out == nullptr) return E_POINTER;
        *out = static_cast<int32_t>(count);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetAt(int32_t index, void* record) override {
        if (record == nullptr) return E_POINTER;
        if (index < 0 || static_cast<size_t>(index) >= count) return E_INVALIDARG;
        std::memcpy(record, &records[static_cast<size_t>(index)], sizeof(ShortMessageRecord));
        return S_OK;
    }

    size_t Size() const { return count; }
    bool Full() const { return count == capacity; }
    const ShortMessageRecord& At(size_t index) const { return records[index]; }
    void Clear() { count = 0; }

private:
    // Handed to the engine, never queried: IUnknown only.
    const IID& OwnIid() const override { return ids::Unknown; }

    std::unique_ptr<ShortMessageRecord[]> records;
    size_t capacity;
    size_t count = 0;
};

// Messages that fell due early, each with the millisecond at which it is to sound. Appends
// come in order of that time, so the line is a ring read from its front. [run thread]
class WaitingLine {
public:
    struct Entry {
        int64_t dueMs;
        ShortMessageRecord message;
    };

    explicit WaitingLine(size_t maxEntries)
        : entries(std::make_unique<Entry[]>(maxEntries)), capacity(maxEntries) {}

    bool Push(const Entry& entry) {
        if (count == capacity) return false;
        entries[(first + count++) % capacity] = entry;
        return true;
    }
    bool Empty() const { return count == 0; }
    const Entry& Front() const { return entries[first]; }
    void Pop() {
        first = (first + 1) % capacity;
        --count;
    }
    void Clear() { first = count = 0; }

private:
    std::unique_ptr<Entry[]> entries;
    size_t capacity;
    size_t first = 0;
    size_t count = 0;
};
