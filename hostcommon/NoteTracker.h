// Which notes are on, per channel and key: the plug-in's output (so that a stop, a jump, a
// bypass switch or a restart can end every one) and the keys held at its input (so that the
// engine can be told they were released). Fixed tables; [run thread].
#pragma once

#include <array>
#include <cstdint>

#include "MidiConstants.h"
#include "engine/HostInterfaces.h"

class NoteTracker {
public:
    static constexpr int kChannels = 16;

    // Counts note-ons and note-offs (a note-on of velocity 0 is an off); other messages are
    // ignored. A key may be on more than once; an off for a key that is not on changes nothing.
    void Track(const ShortMessageRecord& message);

    // Calls end(message) with one note-off (0x8n, velocity 0) for every note that is on, as
    // often as it is on, channel by channel and key by key, and forgets them all.
    template <typename End>
    void EndAll(End&& end) {
        for (int channel = 0; channel < kChannels; ++channel) {
            for (int key = 0; key < midi::kKeyCount; ++key) {
                auto& on = counts[channel][key];
                for (; on > 0; --on) end(Off(channel, key));
            }
        }
    }

    static ShortMessageRecord Off(int channel, int key);

private:
    std::array<std::array<uint8_t, midi::kKeyCount>, kChannels> counts{};
};
