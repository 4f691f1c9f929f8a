#include "arpeggiate/PianoRoll.h"

#include <algorithm>
#include <cstdio>

#include "arpeggiate/SettingsFields.h"

namespace {

// Page geometry in pixels.
constexpr double kKeyAxis = 64;  // note names
constexpr double kMargin = 16;
constexpr double kHeader = 64;  // title, settings line, legend
constexpr double kPanelTitle = 22;
constexpr double kChordLane = 42;  // three staggered rows of chord names
constexpr double kBarNumbers = 14;
constexpr double kPanelGap = 18;
constexpr double kTargetWidth = 2000;  // of the grid, for a song of a minute or two
constexpr double kMinPerQuarter = 4;
constexpr double kMaxPerQuarter = 48;
constexpr double kMinGridWidth = 800;  // a short song is spread out, and the legend fits
constexpr double kTargetGridHeight = 420;

constexpr const char* kPlayedStroke = "#1864ab";
constexpr const char* kArpeggioFill = "#e8590c";
constexpr const char* kRangeFill = "#d0ebff";
constexpr const char* kWindowFill = "#ffe8cc";

std::string Num(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Middle C (key 60) is C4.
std::string KeyName(int key) {
    static constexpr const char* kNames[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                               "F#", "G",  "G#", "A",  "A#", "B"};
    return std::string(kNames[key % 12]) + std::to_string(key / 12 - 1);
}

bool IsBlackKey(int key) {
    const int pc = key % 12;
    return pc == 1 || pc == 3 || pc == 6 || pc == 8 || pc == 10;
}

std::string Rect(double x, double y, double w, double h, const std::string& style) {
    return "<rect x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(w) + "\" height=\"" +
           Num(h) + "\" " + style + "/>\n";
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& style) {
    return "<line x1=\"" + Num(x1) + "\" y1=\"" + Num(y1) + "\" x2=\"" + Num(x2) + "\" y2=\"" +
           Num(y2) + "\" " + style + "/>\n";
}

std::string Text(double x, double y, const std::string& text, const std::string& style) {
    return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" " + style + ">" + Escaped(text) +
           "</text>\n";
}

struct KeySpan {
    int low;
    int high;
};

// The part of a note inside the stretch; a note of no length counts where it starts.
struct Clipped {
    bool shown;
    uint32_t start;
    uint32_t end;
};

Clipped Clip(const NoteSpan& note, uint32_t from, uint32_t to) {
    const bool shown = note.start < to && (note.end > from || note.start >= from);
    return {shown, std::max(note.start, from), std::min(note.end, to)};
}

// The keys a panel shows: every note in or out inside the stretch, and the left-hand window
// when it is on, with a key to spare on each side.
KeySpan KeysShown(const PianoRollTrack& track, const PianoRollSong& song) {
    int low = 127, high = 0;
    const auto take = [&](int key) {
        low = std::min(low, key);
        high = std::max(high, key);
    };
    for (const auto* notes : {&track.played, &track.arpeggio}) {
        for (const NoteSpan& note : *notes) {
            if (Clip(note, song.fromTick, song.toTick).shown) take(note.key);
        }
    }
    const ArpeggiatorParams& params = song.params;
    if (params.enabled != 0 && params.leftHandWindowOn != 0) {
        take(std::clamp(params.leftHandBottom, 0, 127));
        take(std::clamp(params.leftHandBottom + params.leftHandSpan, 0, 127));
    }
    if (low > high) return {48, 72};
    return {std::max(low - 1, 0), std::min(high + 1, 127)};
}

// What a stretch shows of something that holds until the next change (a tempo, a chord): the
// one in effect where the stretch starts, moved to its start, then the changes inside it.
template <typename Item, typename TickOf>
std::vector<Item> InStretch(const std::vector<Item>& items, uint32_t from, uint32_t to,
                            TickOf tickOf) {
    std::vector<Item> shown;
    const auto first = std::find_if(items.begin(), items.end(),
                                    [&](const Item& item) { return tickOf(item) > int64_t{from}; });
    if (first != items.begin()) shown.push_back(*(first - 1));
    for (auto item = first; item != items.end() && tickOf(*item) < int64_t{to}; ++item) {
        shown.push_back(*item);
    }
    return shown;
}

class Canvas {
public:
    Canvas(const PianoRollSong& s, double perTick) : song(s), tickWidth(perTick) {}

    double X(int64_t tick) const {
        return kKeyAxis + kMargin + double(tick - int64_t{song.fromTick}) * tickWidth;
    }
    double GridWidth() const { return double(song.toTick - song.fromTick) * tickWidth; }

    // Draws one track's panel with its top at `top`; returns the panel's height.
    double Panel(const PianoRollTrack& track, double top, std::string& out) const {
        const KeySpan keys = KeysShown(track, song);
        const int rows = keys.high - keys.low + 1;
        const double rowHeight = std::clamp(kTargetGridHeight / rows, 4.0, 12.0);
        const std::vector<ChordMark> chords = InStretch(track.chords, song.fromTick, song.toTick,
                                                        [](const ChordMark& c) { return c.tick; });
        // The chord lane only where the filter named chords.
        const double chordLane = chords.empty() ? 0 : kChordLane;
        const double gridTop = top + kPanelTitle + chordLane + kBarNumbers;
        const double gridHeight = rows * rowHeight;
        const auto rowY = [&](int key) { return gridTop + (keys.high - key) * rowHeight; };

        out +=
            Text(X(song.fromTick), top + 15, track.title, "font-size=\"14\" font-weight=\"bold\"");
        Keys(keys, rowY, rowHeight, out);
        Bands(keys, rowY, rowHeight, out);
        Grid(gridTop, gridHeight, out);
        Notes(track, rowY, rowHeight, out);
        Chords(chords, top + kPanelTitle, gridTop + gridHeight, out);
        out += Rect(X(song.fromTick), gridTop, GridWidth(), gridHeight,
                    "class=\"grid\" fill=\"none\" stroke=\"#868e96\"");
        return kPanelTitle + chordLane + kBarNumbers + gridHeight;
    }

private:
    template <typename RowY>
    void Keys(KeySpan keys, RowY rowY, double rowHeight, std::string& out) const {
        const int rows = keys.high - keys.low + 1;
        const double left = X(song.fromTick);
        for (int key = keys.low; key <= keys.high; ++key) {
            out += Rect(left, rowY(key), GridWidth(), rowHeight,
                        IsBlackKey(key) ? "fill=\"#e9ecef\"" : "fill=\"#f8f9fa\"");
            if (key % 12 == 0 || rows <= 30) {
                out += Text(left - 6, rowY(key) + rowHeight - 1, KeyName(key),
                            "font-size=\"" + Num(std::clamp(rowHeight + 1, 8.0, 11.0)) +
                                "\" text-anchor=\"end\"" +
                                (key % 12 == 0 ? " font-weight=\"bold\"" : ""));
            }
        }
    }

    template <typename RowY>
    void Bands(KeySpan keys, RowY rowY, double rowHeight, std::string& out) const {
        const ArpeggiatorParams& p = song.params;
        if (p.enabled == 0) return;
        const auto shade = [&](int64_t bottom, int64_t top, const char* fill, const char* label) {
            const int low = static_cast<int>(std::max<int64_t>(bottom, keys.low));
            const int high = static_cast<int>(std::min<int64_t>(top, keys.high));
            if (low > high) return;
            const double y = rowY(high);
            const double h = (high - low + 1) * rowHeight;
            out += Rect(X(song.fromTick), y, GridWidth(), h,
                        std::string("fill=\"") + fill + "\" fill-opacity=\"0.7\"");
            out += Text(X(song.fromTick) + 4, y + 11, label, "font-size=\"10\" fill=\"#495057\"");
        };
        if (p.keepInRange != 0) {
            shade(p.arpBottom, int64_t{p.arpBottom} + p.arpSpan, kRangeFill, "arpeggio range");
        }
        if (p.leftHandWindowOn != 0) {
            shade(p.leftHandBottom, int64_t{p.leftHandBottom} + p.leftHandSpan, kWindowFill,
                  "left-hand window");
        }
    }

    void Grid(double gridTop, double gridHeight, std::string& out) const {
        const BarGrid& grid = *song.grid;
        for (int64_t tick = song.fromTick; tick <= song.toTick; tick += grid.BeatTicksAt(tick)) {
            const BarGrid::Position position = grid.At(tick);
            const bool bar = position.beat == 1 && position.ticks == 0;
            out += Line(X(tick), gridTop, X(tick), gridTop + gridHeight,
                        bar ? "stroke=\"#868e96\"" : "stroke=\"#dee2e6\"");
            // The line that closes the stretch belongs to the next bar, which is not drawn.
            if (bar && tick < song.toTick) {
                out += Text(X(tick) + 2, gridTop - 3, std::to_string(position.bar),
                            "class=\"bar\" font-size=\"10\" fill=\"#495057\"");
            }
        }
        std::vector<TempoChange> tempos = song.tempos;
        if (tempos.empty() || tempos.front().tick > 0) {
            tempos.insert(tempos.begin(), TempoChange{0, 500000});  // a MIDI file's default
        }
        const auto tickOf = [](const TempoChange& tempo) { return int64_t{tempo.tick}; };
        for (const TempoChange& tempo : InStretch(tempos, song.fromTick, song.toTick, tickOf)) {
            const int64_t tick = std::max<int64_t>(tempo.tick, song.fromTick);
            char bpm[32];
            std::snprintf(bpm, sizeof bpm, "%.0f BPM", 60e6 / tempo.usPerQuarter);
            // Clear of the bar number that may stand at the same place.
            const double digits = double(std::to_string(grid.At(tick).bar).size());
            out += Text(X(tick) + std::max(18.0, 6 + 6.5 * digits), gridTop - 3, bpm,
                        "font-size=\"10\" fill=\"#862e9c\" font-style=\"italic\"");
        }
    }

    template <typename RowY>
    void Notes(const PianoRollTrack& track, RowY rowY, double rowHeight, std::string& out) const {
        for (const NoteSpan& note : track.arpeggio) {
            const Clipped part = Clip(note, song.fromTick, song.toTick);
            if (!part.shown) continue;
            const double opacity = 0.3 + 0.7 * note.velocity / 127.0;
            out += Rect(X(part.start), rowY(note.key) + 0.5,
                        std::max(2.0, double(part.end - part.start) * tickWidth), rowHeight - 1,
                        std::string("fill=\"") + kArpeggioFill + "\" fill-opacity=\"" +
                            Num(opacity) + "\"");
        }
        for (const NoteSpan& note : track.played) {
            const Clipped part = Clip(note, song.fromTick, song.toTick);
            if (!part.shown) continue;
            out += Rect(
                X(part.start), rowY(note.key) + 0.5,
                std::max(1.0, double(part.end - part.start) * tickWidth), rowHeight - 1,
                std::string("fill=\"none\" stroke=\"") + kPlayedStroke + "\" stroke-width=\"1.5\"");
        }
    }

    // A chord named before the stretch is shown at its start with the bar it was named in.
    void Chords(const std::vector<ChordMark>& chords, double laneTop, double gridBottom,
                std::string& out) const {
        for (size_t i = 0; i < chords.size(); ++i) {
            const ChordMark& chord = chords[i];
            const bool earlier = chord.tick < int64_t{song.fromTick};
            const double x = X(earlier ? song.fromTick : chord.tick);
            const double y = laneTop + 12 + 13 * double(i % 3);
            if (!earlier) {
                out += Line(x, y + 2, x, gridBottom,
                            "stroke=\"#2b8a3e\" stroke-dasharray=\"3,3\" stroke-opacity=\"0.6\"");
            }
            const std::string name =
                earlier ? chord.name + " (since " + song.grid->Format(chord.tick) + ")"
                        : chord.name;
            out += Text(x + 2, y, name, "font-size=\"11\" fill=\"#2b8a3e\" font-weight=\"bold\"");
        }
    }

    const PianoRollSong& song;
    double tickWidth;
};

std::string Legend(const PianoRollSong& song, double y) {
    std::string out;
    double x = kKeyAxis + kMargin;
    const auto item = [&](const std::string& swatch, const std::string& label) {
        out += swatch;
        out += Text(x + 22, y + 10, label, "font-size=\"11\"");
        x += 34 + 6.2 * double(label.size());
    };
    item(Rect(x, y, 16, 10,
              std::string("fill=\"none\" stroke=\"") + kPlayedStroke + "\" stroke-width=\"1.5\""),
         "played notes");
    item(Rect(x, y, 16, 10, std::string("fill=\"") + kArpeggioFill + "\""),
         "arpeggio (darker is louder)");
    if (song.params.keepInRange != 0) {
        item(Rect(x, y, 16, 10, std::string("fill=\"") + kRangeFill + "\""), "arpeggio range");
    }
    if (song.params.leftHandWindowOn != 0) {
        item(Rect(x, y, 16, 10, std::string("fill=\"") + kWindowFill + "\""), "left-hand window");
        item(Line(x, y + 5, x + 16, y + 5, "stroke=\"#2b8a3e\" stroke-dasharray=\"3,3\""),
             song.chordsWatched ? "chord recognised"
                                : "chord names: shown by the native build only");
    }
    return out;
}

}  // namespace

std::string DrawPianoRoll(const PianoRollSong& song, std::span<const PianoRollTrack> tracks) {
    const double quarters =
        std::max(1.0, double(song.toTick - song.fromTick) / song.ticksPerQuarter);
    const double perQuarter =
        std::max(std::clamp(kTargetWidth / quarters, kMinPerQuarter, kMaxPerQuarter),
                 kMinGridWidth / quarters);
    const Canvas canvas(song, perQuarter / song.ticksPerQuarter);

    std::string body;
    double y = kHeader;
    for (const PianoRollTrack& track : tracks) {
        y += canvas.Panel(track, y, body) + kPanelGap;
    }
    const double width = canvas.X(song.toTick) + kMargin;
    const double height = y + kMargin;

    std::string out;
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(width) + "\" height=\"" +
           Num(height) + "\" viewBox=\"0 0 " + Num(width) + " " + Num(height) +
           "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n";
    out += Rect(0, 0, width, height, "fill=\"white\"");
    out += Text(kKeyAxis + kMargin, 20, song.title, "font-size=\"16\" font-weight=\"bold\"");
    out += Text(kKeyAxis + kMargin, 38, SettingsLine(song.params), "font-size=\"12\"");
    out += Legend(song, 46);
    out += body;
    out += "</svg>\n";
    return out;
}
