#include "arpeggiate/TrackRecords.h"

#include <algorithm>

#include "arpeggiate/NoteSpans.h"

namespace {

EventRecord NoteRecord(const NoteSpan& note) {
    EventRecord record{};
    record.time = note.start;
    record.kind = kEventKindNote;
    record.key = note.key;
    record.velocity = note.velocity;
    record.hostByte12 = static_cast<uint8_t>(0x90 | note.channel);
    record.duration = note.end - note.start;
    record.hostByte17 = note.releaseVelocity;
    return record;
}

EventRecord ChannelRecord(const midi::Event& event, size_t index) {
    EventRecord record{};
    record.time = event.tick;
    record.kind = kEventKindChannelMessage;
    record.hostByte12 = event.status;
    record.key = event.data1;
    record.velocity = event.data2;
    record.duration = static_cast<uint32_t>(index);
    return record;
}

bool IsNoteMessage(const midi::Event& event) {
    const uint8_t kind = event.status & 0xF0;
    return event.type == midi::EventType::Channel && (kind == 0x80 || kind == 0x90);
}

// An event of the rebuilt track with what orders it among others at the same tick.
struct Placed {
    uint32_t tick;
    int rank;  // 0 note-off, 1 the track's own events, 2 note-on
    uint64_t order;
    midi::Event event;
};

midi::Event ChannelEvent(uint32_t tick, uint8_t status, uint8_t data1, uint8_t data2) {
    midi::Event event;
    event.tick = tick;
    event.type = midi::EventType::Channel;
    event.status = status;
    event.data1 = data1;
    event.data2 = data2;
    return event;
}

struct OutNote {
    uint32_t start;
    uint32_t end;
    uint8_t channel;
    uint8_t key;
    uint8_t velocity;
    uint8_t releaseVelocity;
    size_t position;  // in the filter's output
};

// Ends each note no later than the next note on its channel and key begins.
std::vector<OutNote> ResolveOverlaps(std::vector<OutNote> notes) {
    std::sort(notes.begin(), notes.end(), [](const OutNote& a, const OutNote& b) {
        if (a.channel != b.channel) return a.channel < b.channel;
        if (a.key != b.key) return a.key < b.key;
        if (a.start != b.start) return a.start < b.start;
        return a.position < b.position;
    });
    std::vector<OutNote> kept;
    for (size_t i = 0; i < notes.size(); ++i) {
        OutNote note = notes[i];
        if (i + 1 < notes.size()) {
            const OutNote& next = notes[i + 1];
            if (next.channel == note.channel && next.key == note.key) {
                note.end = std::min(note.end, next.start);
            }
        }
        if (note.end > note.start) kept.push_back(note);
    }
    return kept;
}

}  // namespace

FilterInput ToFilterRecords(const midi::Track& track) {
    const std::vector<NoteSpan> notes = PairNotes(track);
    FilterInput input;
    input.noteCount = notes.size();
    input.records.reserve(track.events.size());
    size_t nextNote = 0;
    for (size_t i = 0; i < track.events.size(); ++i) {
        const midi::Event& event = track.events[i];
        if (nextNote < notes.size() && notes[nextNote].onIndex == i) {
            input.records.push_back(NoteRecord(notes[nextNote++]));
        } else if (event.type == midi::EventType::Channel && !IsNoteMessage(event)) {
            input.records.push_back(ChannelRecord(event, i));
        }
    }
    return input;
}

FilterOutputTrack FromFilterRecords(const midi::Track& original,
                                    std::span<const EventRecord> output) {
    FilterOutputTrack result;
    std::vector<Placed> placed;
    for (size_t i = 0; i < original.events.size(); ++i) {
        const midi::Event& event = original.events[i];
        if (event.type != midi::EventType::Channel) placed.push_back({event.tick, 1, i, event});
    }

    std::vector<OutNote> notes;
    for (size_t p = 0; p < output.size(); ++p) {
        const EventRecord record = output[p];
        if (record.kind == kEventKindChannelMessage) {
            const uint8_t status = record.hostByte12;
            if (status < 0x80 || status > 0xEF || ((record.key | record.velocity) & 0x80)) continue;
            const uint8_t data2 = midi::DataBytesOf(status) == 2 ? record.velocity : 0;
            placed.push_back({record.time, 1, record.duration,
                              ChannelEvent(record.time, status, record.key, data2)});
        } else if (record.kind == kEventKindNote) {
            if (record.key > 127) continue;
            if (record.velocity == 0 || record.velocity > 127) {
                ++result.silentNotesDropped;
                continue;
            }
            // The record is packed: its fields are read by value, never bound to references.
            const uint32_t duration = record.duration;
            const uint64_t end = uint64_t{record.time} + std::max<uint32_t>(duration, 1);
            notes.push_back({record.time,
                             static_cast<uint32_t>(std::min<uint64_t>(end, midi::kMaxTick)),
                             static_cast<uint8_t>(record.hostByte12 & 0x0F), record.key,
                             record.velocity, static_cast<uint8_t>(record.hostByte17 & 0x7F), p});
        }
    }

    for (const OutNote& note : ResolveOverlaps(std::move(notes))) {
        placed.push_back({note.start, 2, note.position,
                          ChannelEvent(note.start, static_cast<uint8_t>(0x90 | note.channel),
                                       note.key, note.velocity)});
        placed.push_back({note.end, 0, note.position,
                          ChannelEvent(note.end, static_cast<uint8_t>(0x80 | note.channel),
                                       note.key, note.releaseVelocity)});
        ++result.notesWritten;
    }

    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        if (a.tick != b.tick) return a.tick < b.tick;
        if (a.rank != b.rank) return a.rank < b.rank;
        return a.order < b.order;
    });
    result.track.endTick = original.endTick;
    result.track.events.reserve(placed.size());
    for (Placed& entry : placed) {
        result.track.endTick = std::max(result.track.endTick, entry.tick);
        result.track.events.push_back(std::move(entry.event));
    }
    return result;
}
