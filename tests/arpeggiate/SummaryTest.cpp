// The summary's line per track: name, channels as musicians count them, notes in and out, and
// why a track was copied, with what would change it.
#include <gtest/gtest.h>

#include <string>

#include "arpeggiate/Summary.h"

namespace {

std::string TrackLines(const TrackSummary& track) {
    RunSummary summary;
    summary.tracks = {track};
    midi::File file;
    file.tracks.resize(1);
    const std::string text = FormatSummary(summary, BarGrid(file));
    // The lines after the input, settings and format lines, up to the timing line.
    size_t begin = 0;
    for (int line = 0; line < 3; ++line) begin = text.find('\n', begin) + 1;
    return text.substr(begin, text.rfind("  arpeggiated in") - begin);
}

TrackSummary Track(TrackFate fate, uint16_t channels, size_t in, size_t out, size_t kept = 0) {
    TrackSummary track;
    track.number = 3;
    track.name = "Band";
    track.fate = fate;
    track.channels = channels;
    track.notesIn = in;
    track.notesOut = out;
    track.notesKept = kept;
    return track;
}

}  // namespace

TEST(Summary, SaysPerTrackItsChannelsNotesAndWhyItWasCopied) {
    struct Row {
        const char* name;
        TrackSummary track;
        const char* lines;
    };
    // clang-format off
    const Row rows[] = {
        {"arpeggiated", Track(TrackFate::Arpeggiated, 1, 3, 12), "  track 3 \"Band\" (channel 1): 3 notes in, 12 notes out\n"},
        {"drums", Track(TrackFate::Drums, 1u << 9, 7, 7), "  track 3 \"Band\" (channel 10): 7 notes in, 7 notes out; drums, copied (use --drums to arpeggiate)\n"},
        {"not chosen", Track(TrackFate::NotChosen, 0b110, 2, 2), "  track 3 \"Band\" (channels 2, 3): 2 notes in, 2 notes out; copied (not chosen with --track)\n"},
        {"no notes, a run of channels", Track(TrackFate::NoNotes, 0b1000000111, 0, 0), "  track 3 \"Band\" (channels 1-3, 10): no notes, copied\n"},
        {"channel 10 kept in a shared track", Track(TrackFate::Arpeggiated, 1 | 1u << 9, 5, 12, 3),
         "  track 3 \"Band\" (channels 1, 10): 5 notes in, 12 notes out\n"
         "    channel 10: 3 notes of drums left as they were (use --drums to arpeggiate them)\n"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TrackLines(row.track), row.lines);
    }
}
