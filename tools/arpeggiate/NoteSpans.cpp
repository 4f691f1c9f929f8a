#include "arpeggiate/NoteSpans.h"

#include <algorithm>
#include <array>

namespace {

// What a device without release velocity sends, and what a note-on of velocity 0 stands for.
constexpr uint8_t kDefaultReleaseVelocity = 64;

constexpr size_t kNone = SIZE_MAX;

// The notes still sounding on each channel and key, oldest first: a queue per key threaded
// through an array parallel to the notes, so that no key costs anything until it is played.
class OpenNotes {
public:
    OpenNotes() {
        head.fill(kNone);
        tail.fill(kNone);
    }
    // Notes are numbered from 0 in the order they are pushed.
    void Push(size_t slot, size_t note) {
        next.push_back(kNone);
        if (tail[slot] == kNone) {
            head[slot] = note;
        } else {
            next[tail[slot]] = note;
        }
        tail[slot] = note;
    }
    size_t Pop(size_t slot) {
        const size_t note = head[slot];
        if (note == kNone) return kNone;
        head[slot] = next[note];
        if (head[slot] == kNone) tail[slot] = kNone;
        return note;
    }

private:
    std::array<size_t, 16 * 128> head;
    std::array<size_t, 16 * 128> tail;
    std::vector<size_t> next;
};

}  // namespace

std::vector<NoteSpan> PairNotes(const midi::Track& track, uint16_t channels) {
    std::vector<NoteSpan> notes;
    OpenNotes open;
    for (size_t i = 0; i < track.events.size(); ++i) {
        const midi::Event& event = track.events[i];
        if (event.type != midi::EventType::Channel) continue;
        const uint8_t kind = event.status & 0xF0;
        const uint8_t channel = event.status & 0x0F;
        if ((kind != 0x80 && kind != 0x90) || (channels >> channel & 1) == 0) continue;
        const size_t slot = size_t{channel} * 128 + event.data1;
        if (kind == 0x90 && event.data2 > 0) {
            open.Push(slot, notes.size());
            notes.push_back({event.tick, std::max(event.tick, track.endTick), channel, event.data1,
                             event.data2, kDefaultReleaseVelocity, i});
        } else if (const size_t note = open.Pop(slot); note != kNone) {
            notes[note].end = event.tick;
            notes[note].releaseVelocity = kind == 0x80 ? event.data2 : kDefaultReleaseVelocity;
        }
    }
    return notes;
}
