// The latest chord name, from the run thread to a plug-in's window, without a lock: the run
// thread may not wait for a window, and a window that reads while a name is being written
// tries again on its next idle call. Names longer than kCapacity - 1 characters are cut (the
// longest the recogniser makes is far shorter).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class ChordMailbox {
public:
    static constexpr size_t kCapacity = 64;

    // [run thread] Never blocks, allocates nothing.
    void Put(std::string_view text);
    // [any one reader thread] The name and its number (1 for the first name put, 0 for none
    // yet), or nothing while a Put is under way.
    struct Letter {
        uint32_t number;
        std::string text;
    };
    std::optional<Letter> Read() const;
    // [any thread] The number of the latest name, to see whether Read has anything new.
    uint32_t Number() const { return sequence.load() / 2; }

private:
    // Odd while a Put is writing. Characters are atomics so that a torn read is only detected,
    // never a data race.
    std::atomic<uint32_t> sequence{0};
    std::array<std::atomic<char>, kCapacity> chars{};
};
