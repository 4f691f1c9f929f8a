#include "ChordMailbox.h"

void ChordMailbox::Put(std::string_view text) {
    const uint32_t start = sequence.load(std::memory_order_relaxed) + 1;
    sequence.store(start, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    const size_t length = text.size() < kCapacity - 1 ? text.size() : kCapacity - 1;
    for (size_t i = 0; i < kCapacity; ++i) {
        chars[i].store(i < length ? text[i] : '\0', std::memory_order_relaxed);
    }
    sequence.store(start + 1, std::memory_order_release);
}

std::optional<ChordMailbox::Letter> ChordMailbox::Read() const {
    const uint32_t before = sequence.load(std::memory_order_acquire);
    if (before % 2 != 0) return std::nullopt;
    char copy[kCapacity];
    for (size_t i = 0; i < kCapacity; ++i) copy[i] = chars[i].load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    if (sequence.load(std::memory_order_relaxed) != before) return std::nullopt;
    copy[kCapacity - 1] = '\0';
    return Letter{before / 2, std::string(copy)};
}
