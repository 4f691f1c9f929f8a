// A track on its way to the filter and back: how notes are paired into records with
// durations, what the copied-through bytes carry, and how the filter's output becomes a track
// that any player reads the same way. The channel generated notes take and the end of a
// sounding note before a new one on its key are the golden songs' (golden/README.md).
#include <gtest/gtest.h>

#include <vector>

#include "arpeggiate/NoteSpans.h"
#include "arpeggiate/TrackRecords.h"
#include "MidiEvents.h"

namespace {

midi::Track TrackOf(std::vector<midi::Event> events, uint32_t end) {
    midi::Track track;
    track.events = std::move(events);
    track.endTick = end;
    return track;
}

EventRecord GeneratedNote(uint32_t time, uint8_t key, uint8_t velocity, uint32_t duration,
                          uint8_t channel) {
    EventRecord record{};
    record.time = time;
    record.kind = kEventKindNote;
    record.key = key;
    record.velocity = velocity;
    record.duration = duration;
    record.hostByte12 = static_cast<uint8_t>(0x90 | channel);
    record.hostByte17 = 64;
    return record;
}

struct Span {
    uint32_t start, end;
    int key;
    bool operator==(const Span&) const = default;
};

std::vector<Span> Spans(const midi::Track& track) {
    std::vector<Span> spans;
    for (const NoteSpan& note : PairNotes(track)) spans.push_back({note.start, note.end, note.key});
    return spans;
}

}  // namespace

TEST(NotePairing, OneKeyEndsFirstInFirstOutAndANoteStillOnLastsToTheTracksEnd) {
    struct Row {
        const char* name;
        midi::Track track;
        std::vector<Span> spans;
    };
    // clang-format off
    const Row rows[] = {
        {"overlapping notes on one key", TrackOf({Channel(0, 0x90, 60, 100), Channel(10, 0x90, 60, 90), Channel(20, 0x80, 60, 0), Channel(30, 0x80, 60, 0)}, 40), {{0, 20, 60}, {10, 30, 60}}},
        {"a stray off, a note still on", TrackOf({Channel(0, 0x80, 50, 0), Channel(100, 0x90, 62, 80)}, 480), {{100, 480, 62}}},
    };
    // clang-format on
    for (const Row& row : rows) EXPECT_EQ(Spans(row.track), row.spans) << row.name;
}

TEST(NotePairing, VelocityZeroNoteOnEndsANoteAndChannelsAreKeptApart) {
    const midi::Track track = TrackOf({Channel(0, 0x90, 60, 100), Channel(0, 0x91, 60, 100),
                                       Channel(5, 0x91, 60, 0), Channel(9, 0x90, 60, 0)},
                                      20);
    const std::vector<NoteSpan> notes = PairNotes(track);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].end, 9u);
    EXPECT_EQ(notes[1].end, 5u);
    EXPECT_EQ(notes[1].channel, 1);
    EXPECT_EQ(notes[1].releaseVelocity, 64);  // a note-on of velocity 0 has none of its own
}

TEST(FilterRecords, NotesCarryDurationAndChannelAndOtherMessagesTheirBytes) {
    const midi::Track track = TrackOf({Text(0, 'a'), Channel(0, 0xC3, 7), Channel(0, 0x93, 64, 90),
                                       Channel(120, 0xE3, 0x00, 0x48), Channel(240, 0x83, 64, 33)},
                                      240);
    const FilterInput input = ToFilterRecords(track);
    ASSERT_EQ(input.records.size(), 3u);
    EXPECT_EQ(input.noteCount, 1u);

    // Packed records: every field is read by value before it is compared.
    const EventRecord program = input.records[0];
    EXPECT_NE(uint32_t{program.kind}, kEventKindNote);
    EXPECT_EQ(int{program.hostByte12}, 0xC3);
    EXPECT_EQ(int{program.key}, 7);

    const EventRecord note = input.records[1];
    EXPECT_EQ(uint32_t{note.kind}, kEventKindNote);
    EXPECT_EQ(int{note.key}, 64);
    EXPECT_EQ(int{note.velocity}, 90);
    EXPECT_EQ(uint32_t{note.duration}, 240u);
    EXPECT_EQ(note.hostByte12 & 0x0F, 3);
    EXPECT_EQ(int{note.hostByte17}, 33);

    EXPECT_EQ(uint32_t{input.records[2].time}, 120u);
}

// What the filter leaves alone comes back as it was: a bypassed filter returns a track whose
// notes start after the other events of their tick, as written tracks usually have them.
TEST(FilterRecords, ARoundTripWithoutTheFilterGivesTheTrackBack) {
    const midi::Track track =
        TrackOf({Text(0, 'a'), Channel(0, 0xB2, 7, 100), Text(0, 'b'), Channel(0, 0x92, 60, 90),
                 Channel(60, 0xB2, 10, 64), Channel(96, 0x82, 60, 0)},
                200);
    const FilterInput input = ToFilterRecords(track);
    const FilterOutputTrack back = FromFilterRecords(track, input.records);
    EXPECT_EQ(back.track, track);
    EXPECT_EQ(back.notesWritten, 1u);
}

TEST(FilterRecords, AtOneTickOffsComeFirstThenTheTracksOwnEventsThenOns) {
    const midi::Track original = TrackOf(
        {Text(0, 'a'), Channel(100, 0xB0, 64, 0), Text(100, 'b'), Channel(100, 0xB0, 64, 127)},
        100);
    std::vector<EventRecord> output = {GeneratedNote(0, 60, 70, 100, 0),
                                       GeneratedNote(100, 62, 70, 50, 0)};
    const FilterInput input = ToFilterRecords(original);
    output.insert(output.begin(), input.records.rbegin(), input.records.rend());
    const midi::Track track = FromFilterRecords(original, output).track;

    std::vector<midi::Event> atHundred;
    for (const midi::Event& event : track.events) {
        if (event.tick == 100) atHundred.push_back(event);
    }
    const std::vector<midi::Event> expected = {
        Channel(100, 0x80, 60, 64), Channel(100, 0xB0, 64, 0), Text(100, 'b'),
        Channel(100, 0xB0, 64, 127), Channel(100, 0x90, 62, 70)};
    EXPECT_EQ(atHundred, expected);
    EXPECT_EQ(track.endTick, 150u);
}

TEST(FilterRecords, AGeneratedNoteOfVelocityZeroIsLeftOutAndCounted) {
    const FilterOutputTrack rebuilt =
        FromFilterRecords(TrackOf({}, 0), std::vector<EventRecord>{GeneratedNote(0, 60, 0, 60, 0)});
    EXPECT_TRUE(rebuilt.track.events.empty());
    EXPECT_EQ(rebuilt.silentNotesDropped, 1u);
}

// Channel 10's notes in a shared track go around the filter: the filter never sees them, and
// they come back as the file had them, whatever their form. Hits of no length, note-ons of
// velocity 0 as ends and release velocities are the drum golden songs'.
TEST(FilterRecords, KeptChannelNotesComeBackAsTheFileHadThem) {
    struct Row {
        const char* name;
        std::vector<midi::Event> events;
    };
    const Row rows[] = {
        {"two hits on one key that overlap",
         {Channel(0, 0x99, 38, 90), Channel(10, 0x99, 38, 70), Channel(20, 0x89, 38, 0),
          Channel(30, 0x89, 38, 0)}},
        {"a stray note-off and controllers of the drum channel",
         {Channel(0, 0xB9, 7, 110), Channel(5, 0x89, 49, 0), Channel(10, 0x99, 49, 90),
          Channel(20, 0xC9, 3)}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const midi::Track track = TrackOf(row.events, 600);
        const FilterInput input = ToFilterRecords(track, uint16_t{1} << 9);
        for (const EventRecord& record : input.records) {
            EXPECT_FALSE(uint32_t{record.kind} == kEventKindNote &&
                         (record.hostByte12 & 0x0F) == 9);
        }
        const FilterOutputTrack back = FromFilterRecords(track, input.records, uint16_t{1} << 9);
        EXPECT_EQ(back.track, track);
    }
}

TEST(FilterRecords, KeptNotesLeaveTheOtherChannelsNotesToTheFilter) {
    const midi::Track track = TrackOf({Channel(0, 0x99, 36, 100), Channel(0, 0x90, 60, 100),
                                       Channel(60, 0x89, 36, 0), Channel(480, 0x80, 60, 0)},
                                      480);
    EXPECT_EQ(ToFilterRecords(track, uint16_t{1} << 9).noteCount, 1u);
    EXPECT_EQ(ToFilterRecords(track).noteCount, 2u);
}
