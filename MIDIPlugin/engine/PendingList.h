// Live messages waiting for their due time. Storage is allocated once, at construction; the
// real-time calls only append, remove and clear, and an append to a full list is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/HostInterfaces.h"

struct PendingMessage {
    ShortMessageRecord message;
    int32_t dueMs;  // compared as a signed 32-bit time
};

class PendingList {
public:
    explicit PendingList(size_t maxElements)
        : items(std::make_unique<PendingMessage[]>(maxElements)), capacity(maxElements) {}

    size_t Size() const { return count; }
    size_t Capacity() const { return capacity; }
    size_t Free() const { return capacity - count; }
    bool Empty() const { return count == 0; }

    bool Append(const PendingMessage& element) {
        if (count == capacity) return false;
        items[count++] = element;
        return true;
    }

    const PendingMessage& At(size_t index) const { return items[index]; }
    PendingMessage& At(size_t index) { return items[index]; }

    // Drops every element from `size` on; the caller has moved the ones it keeps in front.
    void Truncate(size_t size) {
        if (size < count) count = size;
    }

    void Clear() { count = 0; }

private:
    std::unique_ptr<PendingMessage[]> items;
    size_t capacity;
    size_t count = 0;
};
