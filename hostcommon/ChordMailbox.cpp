#include "ChordMailbox.h"

// Every access is sequentially consistent (no fences, which ThreadSanitizer cannot follow): a
// reader that saw any character of a newer name also sees that name's odd sequence number, and
// tries again. A name changes a few times a second at most, so the cost does not matter.
void ChordMailbox::Put(std::string_view text) {
    const uint32_t start = sequence.load() + 1;
    sequence.store(start);
    const size_t length = text.size() < kCapacity - 1 ? text.size() : kCapacity - 1;
    for (size_t i = 0; i < kCapacity; ++i) chars[i].store(i < length ? text[i] : '\0');
    sequence.store(start + 1);
}

std::optional<ChordMailbox::Letter> ChordMailbox::Read() const {
    const uint32_t before = sequence.load();
    if (before % 2 != 0) return std::nullopt;
    char copy[kCapacity];
    for (size_t i = 0; i < kCapacity; ++i) copy[i] = chars[i].load();
    if (sequence.load() != before) return std::nullopt;
    copy[kCapacity - 1] = '\0';
    return Letter{before / 2, std::string(copy)};
}
