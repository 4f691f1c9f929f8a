#include "arpeggiate/Summary.h"

#include <cstdio>

namespace {

std::string Milliseconds(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", ms);
    return text;
}

std::string Bars(const BarGrid& grid, uint32_t endTick) {
    const int64_t bars = SongBars(grid, endTick);
    return std::to_string(bars) + (bars == 1 ? " bar" : " bars");
}

// Channels as musicians count them, 1 to 16; three or more in a row as a range: "1-3, 10".
std::string ChannelList(uint16_t channels) {
    std::string text;
    for (int first = 0; first < 16; ++first) {
        if ((channels >> first & 1) == 0) continue;
        int last = first;
        while (last < 15 && (channels >> (last + 1) & 1) != 0) ++last;
        if (!text.empty()) text += ", ";
        text += std::to_string(first + 1);
        if (last - first >= 2) {
            text += "-" + std::to_string(last + 1);
            first = last;
        }
    }
    return text;
}

std::string TrackHeading(const TrackSummary& track) {
    std::string out = "  track " + std::to_string(track.number);
    if (!track.name.empty()) out += " \"" + track.name + "\"";
    if (track.channels != 0) {
        const bool one = (track.channels & (track.channels - 1)) == 0;
        out += (one ? " (channel " : " (channels ") + ChannelList(track.channels) + ")";
    }
    return out + ": ";
}

std::string NoteCounts(const TrackSummary& track) {
    std::string out = std::to_string(track.notesIn) + " notes in, " +
                      std::to_string(track.notesOut) + " notes out";
    if (track.silentNotesDropped > 0) {
        out += " (" + std::to_string(track.silentNotesDropped) + " of velocity 0 left out)";
    }
    return out;
}

// Why a track was copied, in the musician's terms and with what would change it.
std::string CopyReason(TrackFate fate) {
    switch (fate) {
        case TrackFate::NotChosen:
            return "copied (not chosen with --track)";
        case TrackFate::Drums:
            return "drums, copied (use --drums to arpeggiate)";
        case TrackFate::NoNotes:
        case TrackFate::Arpeggiated:
            break;
    }
    return "copied";
}

std::string Chords(const RunSummary& s, const TrackSummary& track, const BarGrid& grid) {
    if (!s.leftHandWindowOn) return {};
    if (!s.chordsWatched) return "    chords: shown by the native build only\n";
    if (track.chords.empty()) return "    chords: none recognised\n";
    std::string out = "    chords:";
    for (size_t i = 0; i < track.chords.size(); ++i) {
        out += (i % 4 == 0 ? "\n      " : ", ");
        out += grid.Format(track.chords[i].tick) + " " + track.chords[i].name;
    }
    return out + "\n";
}

std::string Track(const RunSummary& s, const TrackSummary& track, const BarGrid& grid) {
    std::string out = TrackHeading(track);
    if (track.fate == TrackFate::NoNotes) return out + "no notes, copied\n";
    out += NoteCounts(track);
    if (track.fate != TrackFate::Arpeggiated) return out + "; " + CopyReason(track.fate) + "\n";
    out += "\n";
    if (track.notesKept > 0) {
        out += "    channel 10: " + std::to_string(track.notesKept) +
               " notes of drums left as they were (use --drums to arpeggiate them)\n";
    }
    return out + Chords(s, track, grid);
}

std::string PianoRoll(const RunSummary& s) {
    if (s.pianoRollFile.empty()) return {};
    const BarStretch& bars = s.pianoRollBars;
    std::string out = "  piano roll " + s.pianoRollFile + ": bars " + std::to_string(bars.first) +
                      " to " + std::to_string(bars.last) + " of " + std::to_string(bars.songBars);
    if (bars.cutByDefault) {
        out += " (the first " + std::to_string(kDefaultRollBars) +
               "; --bars FROM-TO or --bars FROM- draws others)";
    }
    return out + "\n";
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
    for (const TrackSummary& track : s.tracks) out += Track(s, track, grid);
    out += PianoRoll(s);
    out += "  arpeggiated in " + Milliseconds(s.filterMs) + " (whole run " +
           Milliseconds(s.totalMs) + ")\n";
    return out;
}
