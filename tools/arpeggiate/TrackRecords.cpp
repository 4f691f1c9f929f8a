#include "arpeggiate/TrackRecords.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

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

// The events that never become records: meta and system-exclusive events, and the note
// messages of the kept channels.
bool StaysInTrack(const midi::Event& event, uint16_t keptChannels) {
    return event.type != midi::EventType::Channel ||
           (IsNoteMessage(event) && (keptChannels >> (event.status & 0x0F) & 1) != 0);
}

// One of the track's own events, or a channel message the filter passed through, with what
// orders it among those at the same tick.
struct Placed {
    uint32_t tick;
    uint64_t order;  // the event's index in the original track
    midi::Event event;
};

bool ByTickThenOrder(const Placed& a, const Placed& b) {
    if (a.tick != b.tick) return a.tick < b.tick;
    return a.order < b.order;
}

// `placed` holds the track's own events, then the filter's channel messages from `firstPassed`
// on. Each list normally comes in tick order, so merging them gives what a stable sort of the
// whole would; a list out of order gets that stable sort.
void SortPlaced(std::vector<Placed>& placed, size_t firstPassed) {
    const auto middle = placed.begin() + static_cast<std::ptrdiff_t>(firstPassed);
    if (std::is_sorted(placed.begin(), middle, ByTickThenOrder) &&
        std::is_sorted(middle, placed.end(), ByTickThenOrder)) {
        std::inplace_merge(placed.begin(), middle, placed.end(), ByTickThenOrder);
    } else {
        std::stable_sort(placed.begin(), placed.end(), ByTickThenOrder);
    }
}

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

// The filter emits its notes in time order but for the played notes it passes through and an
// odd swing, so the notes rarely need sorting. Positions are unique: the order is total.
bool ByStart(const OutNote& a, const OutNote& b) {
    if (a.start != b.start) return a.start < b.start;
    return a.position < b.position;
}

bool ByEnd(const OutNote& a, const OutNote& b) {
    if (a.end != b.end) return a.end < b.end;
    return a.position < b.position;
}

// Ends each note no later than the next note on its channel and key begins, and keeps the
// notes that still last a tick, by start.
std::vector<OutNote> ResolveOverlaps(std::vector<OutNote> notes) {
    if (!std::is_sorted(notes.begin(), notes.end(), ByStart)) {
        std::sort(notes.begin(), notes.end(), ByStart);
    }
    // Walking back, the note seen last on a channel and key is the next one to begin there.
    constexpr uint64_t kNoNext = UINT64_MAX;
    std::vector<uint64_t> nextStart(16 * 128, kNoNext);
    for (auto note = notes.rbegin(); note != notes.rend(); ++note) {
        uint64_t& next = nextStart[size_t{note->channel} * 128 + note->key];
        note->end = static_cast<uint32_t>(std::min<uint64_t>(note->end, next));
        next = note->start;
    }
    std::erase_if(notes, [](const OutNote& note) { return note.end <= note.start; });
    return notes;
}

// Built in place: a song's notes are most of its events.
void AppendNoteMessage(std::vector<midi::Event>& events, uint32_t tick, int kind,
                       const OutNote& note, uint8_t data2) {
    midi::Event& event = events.emplace_back();
    event.tick = tick;
    event.status = static_cast<uint8_t>(kind | note.channel);
    event.data1 = note.key;
    event.data2 = data2;
}

// At one tick the note-offs come first, then the track's own events, then the note-ons; each
// list is already in its order within a tick, so one pass merges them.
std::vector<midi::Event> MergeByTick(std::vector<Placed>& own, std::span<const OutNote> ons,
                                     std::span<const OutNote> offs) {
    constexpr uint64_t kDone = UINT64_MAX;
    std::vector<midi::Event> events;
    events.reserve(own.size() + ons.size() + offs.size());
    size_t o = 0;
    size_t on = 0;
    size_t off = 0;
    while (o < own.size() || on < ons.size() || off < offs.size()) {
        const uint64_t ownTick = o < own.size() ? own[o].tick : kDone;
        const uint64_t onTick = on < ons.size() ? ons[on].start : kDone;
        const uint64_t offTick = off < offs.size() ? offs[off].end : kDone;
        if (offTick <= ownTick && offTick <= onTick) {
            const OutNote& note = offs[off++];
            AppendNoteMessage(events, note.end, 0x80, note, note.releaseVelocity);
        } else if (ownTick <= onTick) {
            events.push_back(std::move(own[o++].event));
        } else {
            const OutNote& note = ons[on++];
            AppendNoteMessage(events, note.start, 0x90, note, note.velocity);
        }
    }
    return events;
}

}  // namespace

FilterInput ToFilterRecords(const midi::Track& track, uint16_t keptChannels) {
    // Kept notes (channel 10's drums, unless --drums) go around the filter rather than through
    // its bypass path. The bypass (`enabled` 0) belongs to the whole filter, and a track has
    // one filter, so it cannot spare some of the track's notes; handing them over as records of
    // another kind, which the filter forwards untouched, would still turn them into records
    // with durations, and rebuilding those writes new note-on/note-off pairs: a note-on of
    // velocity 0 becomes a note-off, a hit of no length a tick long, and their order among the
    // track's other events at a tick is lost. Left in the track like meta events, they come
    // out byte for byte as they went in, and cost the filter nothing.
    const std::vector<NoteSpan> notes =
        PairNotes(track, static_cast<uint16_t>(~keptChannels & 0xFFFF));
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
                                    std::span<const EventRecord> output, uint16_t keptChannels) {
    FilterOutputTrack result;
    std::vector<Placed> own;
    for (size_t i = 0; i < original.events.size(); ++i) {
        const midi::Event& event = original.events[i];
        if (StaysInTrack(event, keptChannels)) own.push_back({event.tick, i, event});
    }
    const size_t firstPassed = own.size();

    std::vector<OutNote> notes;
    notes.reserve(output.size());
    for (size_t p = 0; p < output.size(); ++p) {
        const EventRecord record = output[p];
        if (record.kind == kEventKindChannelMessage) {
            const uint8_t status = record.hostByte12;
            if (status < 0x80 || status > 0xEF || ((record.key | record.velocity) & 0x80)) continue;
            const uint8_t data2 = midi::DataBytesOf(status) == 2 ? record.velocity : 0;
            own.push_back({record.time, record.duration,
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
    SortPlaced(own, firstPassed);

    const std::vector<OutNote> ons = ResolveOverlaps(std::move(notes));
    result.notesWritten = ons.size();
    // Notes that end in the order they start, as an arpeggio's do, need no second list.
    std::vector<OutNote> byEnd;
    if (!std::is_sorted(ons.begin(), ons.end(), ByEnd)) {
        byEnd = ons;
        std::sort(byEnd.begin(), byEnd.end(), ByEnd);
    }

    result.track.events = MergeByTick(own, ons, byEnd.empty() ? ons : byEnd);
    result.track.endTick = original.endTick;
    if (!result.track.events.empty()) {
        result.track.endTick = std::max(result.track.endTick, result.track.events.back().tick);
    }
    return result;
}
