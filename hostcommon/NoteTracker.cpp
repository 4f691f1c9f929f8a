#include "NoteTracker.h"

void NoteTracker::Track(const ShortMessageRecord& message) {
    const uint8_t kind = message.status & midi::kKindMask;
    if ((kind != midi::kNoteOn && kind != midi::kNoteOff) || message.data1 > midi::kHighestKey) {
        return;
    }
    auto& on = counts[message.status & midi::kChannelMask][message.data1];
    if (kind == midi::kNoteOn && message.data2 > 0) {
        // A count that would overflow stays where it is: one more off than recorded is harmless.
        if (on < UINT8_MAX) ++on;
    } else if (on > 0) {
        --on;
    }
}

ShortMessageRecord NoteTracker::Off(int channel, int key) {
    return ShortMessageRecord{0, static_cast<uint8_t>(midi::kNoteOff | channel),
                              static_cast<uint8_t>(key), 0, 0};
}
