#include "arpeggiate/Summary.h"

#include <cstdio>

namespace {

std::string Milliseconds(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", ms);
    return text;
}

// The bars the song spans; a song that ends on a bar line does not count the bar it opens.
std::string Bars(const BarGrid& grid, uint32_t endTick) {
    const BarGrid::Position end = grid.At(endTick);
    const int64_t bars = end.bar - (end.beat == 1 && end.ticks == 0 ? 1 : 0);
    return std::to_string(bars) + (bars == 1 ? " bar" : " bars");
}

}  // namespace

std::string TrackName(const midi::Track& track) {
    for (const midi::Event& event : track.events) {
        if (event.type == midi::EventType::Meta && event.data1 == midi::kMetaTrackName) {
            return std::string(event.payload.begin(), event.payload.end());
        }
    }
    return {};
}

std::string FormatSummary(const RunSummary& s, const BarGrid& grid) {
    std::string out = s.input + " -> " + s.output + "\n";
    out += "  settings: " + s.settings + "\n";
    out += "  format " + std::to_string(s.format) + ", " + std::to_string(s.ticksPerQuarter) +
           " ticks per quarter, " + std::to_string(s.tracks.size()) +
           (s.tracks.size() == 1 ? " track, " : " tracks, ") + Bars(grid, s.endTick) +
           ", windows of " + std::to_string(s.windowTicks) + " ticks\n";
    for (const TrackSummary& track : s.tracks) {
        out += "  track " + std::to_string(track.number);
        if (!track.name.empty()) out += " \"" + track.name + "\"";
        if (!track.arpeggiated) {
            out += track.notesIn == 0 ? ": no notes, copied\n"
                                      : ": " + std::to_string(track.notesIn) +
                                            " notes, copied (not chosen with --track)\n";
            continue;
        }
        out += ": " + std::to_string(track.notesIn) + " notes in, " +
               std::to_string(track.notesOut) + " notes out";
        if (track.silentNotesDropped > 0) {
            out += " (" + std::to_string(track.silentNotesDropped) + " of velocity 0 left out)";
        }
        out += "\n";
        if (!s.leftHandWindowOn) continue;
        if (!s.chordsWatched) {
            out += "    chords: shown by the native build only\n";
        } else if (track.chords.empty()) {
            out += "    chords: none recognised\n";
        } else {
            out += "    chords:";
            for (size_t i = 0; i < track.chords.size(); ++i) {
                out += (i % 4 == 0 ? "\n      " : ", ");
                out += grid.Format(track.chords[i].tick) + " " + track.chords[i].name;
            }
            out += "\n";
        }
    }
    out += "  arpeggiated in " + Milliseconds(s.filterMs) + " (whole run " +
           Milliseconds(s.totalMs) + ")\n";
    return out;
}
