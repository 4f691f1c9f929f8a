// The Standard MIDI File codec: what it reads, what it writes, and where it stops on a damaged
// file. Offsets are checked to the byte: a reader that reports the wrong place sends a musician
// looking in the wrong place.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"
#include "MidiEvents.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes Header(uint16_t format, uint16_t tracks, uint16_t division) {
    Bytes header = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    for (const uint16_t field : {format, tracks, division}) {
        header.insert(header.end(),
                      {static_cast<uint8_t>(field >> 8), static_cast<uint8_t>(field)});
    }
    return header;
}

Bytes TrackChunk(const Bytes& body) {
    const auto n = static_cast<uint32_t>(body.size());
    return Concat(
        {{'M', 'T', 'r', 'k', static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
          static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)},
         body});
}

// The offset at which reading `bytes` fails, or -1 when it succeeds.
long FailureOffset(const Bytes& bytes) {
    try {
        midi::ReadFile(bytes);
        return -1;
    } catch (const midi::FileError& error) {
        return static_cast<long>(error.offset);
    }
}

}  // namespace

// What the reader takes from a track: running status across messages of one and two data
// bytes, and over a meta event (many writers carry it on there although the format ends it); a
// track without its end marker ends at its last event; a chunk of unknown type is skipped.
TEST(MidiCodec, ReadsRunningStatusAndTracksAsWritersLeaveThem) {
    struct Row {
        const char* name;
        Bytes body;
        std::vector<midi::Event> events;
        uint32_t endTick;
        Bytes before = {};  // chunks before the track
    };
    // clang-format off
    const Row rows[] = {
        {"running status, one and two data bytes", {0x00, 0xC2, 0x05, 0x10, 0x06, 0x00, 0x92, 0x3C, 0x40, 0x60, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00}, {Channel(0, 0xC2, 5), Channel(16, 0xC2, 6), Channel(16, 0x92, 60, 64), Channel(112, 0x92, 60, 0)}, 112},
        {"running status over a meta event", {0x00, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x01, 0x00, 0x10, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00}, {Channel(0, 0x90, 60, 64), Meta(0, 0x01, {}), Channel(16, 0x90, 60, 0)}, 16},
        {"no end marker", {0x00, 0x90, 0x3C, 0x40, 0x83, 0x60, 0x80, 0x3C, 0x00}, {Channel(0, 0x90, 60, 64), Channel(480, 0x80, 60, 0)}, 480},
        {"a chunk of unknown type first", {0x00, 0xFF, 0x2F, 0x00}, {}, 0, {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 0xAA, 0xBB}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const midi::File file =
            midi::ReadFile(Concat({Header(1, 1, 96), row.before, TrackChunk(row.body)}));
        ASSERT_EQ(file.tracks.size(), 1u);
        EXPECT_EQ(file.tracks[0].events, row.events);
        EXPECT_EQ(file.tracks[0].endTick, row.endTick);
    }
}

// Each row: the file, and the byte at which the reader must report it.
struct DamagedFile {
    const char* what;
    Bytes bytes;
    long offset;
};

class MidiCodecDamage : public ::testing::TestWithParam<DamagedFile> {};

TEST_P(MidiCodecDamage, ReportsTheByteWhereTheFileGoesWrong) {
    EXPECT_EQ(FailureOffset(GetParam().bytes), GetParam().offset) << GetParam().what;
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Offsets, MidiCodecDamage,
    ::testing::Values(
        DamagedFile{"not a MIDI file", {'R', 'I', 'F', 'F', 0, 0, 0, 6}, 0},
        DamagedFile{"format 2 is refused at the format field", Concat({Header(2, 1, 96), TrackChunk(kEnd)}), 8},
        DamagedFile{"SMPTE division is refused at the division field", Concat({Header(1, 1, 0xE728), TrackChunk(kEnd)}), 12},
        DamagedFile{"header cut short", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1}, 4},
        DamagedFile{"format 0 with two tracks", Concat({Header(0, 2, 96), TrackChunk(kEnd), TrackChunk(kEnd)}), 10},
        // Chunk length 100 at offset 18, with 4 bytes of file after it.
        DamagedFile{"chunk longer than the file", Concat({Header(0, 1, 96), {'M', 'T', 'r', 'k', 0, 0, 0, 100}, kEnd}), 18},
        // The note-on's last data byte lies past the chunk's end (offset 22 + 3).
        DamagedFile{"event cut by its chunk's end", Concat({Header(0, 1, 96), TrackChunk({0x00, 0x90, 0x3C})}), 25},
        DamagedFile{"delta time of four bytes is read", Concat({Header(0, 1, 96), TrackChunk({0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x2F, 0x00})}), -1},
        DamagedFile{"delta time of five bytes", Concat({Header(0, 1, 96), TrackChunk({0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 0x3C, 0x40})}), 22},
        DamagedFile{"data byte with no status before it", Concat({Header(0, 1, 96), TrackChunk({0x00, 0x3C, 0x40})}), 23},
        DamagedFile{"system real-time status in a file", Concat({Header(0, 1, 96), TrackChunk({0x00, 0xF8})}), 23},
        DamagedFile{"data byte of 0x80 or above", Concat({Header(0, 1, 96), TrackChunk({0x00, 0x90, 0x3C, 0xC0})}), 25},
        DamagedFile{"tempo of zero", Concat({Header(0, 1, 96), TrackChunk({0x00, 0xFF, 0x51, 0x03, 0, 0, 0})}), 23},
        DamagedFile{"tempo of 0x010000 is a tempo", Concat({Header(0, 1, 96), TrackChunk({0x00, 0xFF, 0x51, 0x03, 1, 0, 0, 0x00, 0xFF, 0x2F, 0x00})}), -1},
        DamagedFile{"meta event longer than its chunk", Concat({Header(0, 1, 96), TrackChunk({0x00, 0xFF, 0x01, 0x09, 'a'})}), 27},
        DamagedFile{"events after the end of the track", Concat({Header(0, 1, 96), TrackChunk({0x00, 0xFF, 0x2F, 0x00, 0x00})}), 26},
        DamagedFile{"fewer tracks than the header declares", Concat({Header(1, 2, 96), TrackChunk(kEnd)}), 26},
        DamagedFile{"stray bytes after the last chunk", Concat({Header(0, 1, 96), TrackChunk(kEnd), {'M', 'T'}}), 28}));
// clang-format on

TEST(MidiCodec, WriterRefusesWhatAFileCannotHold) {
    midi::File file;
    file.tracks = {{{Channel(0, 0x90, 60, 100), Channel(96, 0x80, 60, 0)}, 96}};
    EXPECT_NO_THROW(midi::WriteFile(file));
    midi::File smpte = file;
    smpte.ticksPerQuarter = 0xE728;
    EXPECT_THROW(midi::WriteFile(smpte), std::invalid_argument);
    file.tracks[0].events[1].tick = 0;
    file.tracks[0].events[0].tick = 10;  // before the event after it
    EXPECT_THROW(midi::WriteFile(file), std::invalid_argument);
}
