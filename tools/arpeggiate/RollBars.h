// Which bars the piano roll draws. A picture of a whole long song is too large to open and too
// small to read, so a song longer than kDefaultRollBars is drawn from its start unless --bars
// chooses another stretch.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "arpeggiate/SongTiming.h"

inline constexpr int64_t kDefaultRollBars = 64;

// --bars FROM-TO, or FROM- for the rest of the song; bars counted from 1 as the summary does.
struct BarChoice {
    std::string text;  // as given, for messages
    int64_t first = 1;
    std::optional<int64_t> last;
};

// Throws std::invalid_argument saying what is wrong with the text.
BarChoice ParseBarChoice(const std::string& text);

struct BarStretch {
    int64_t first = 1;  // the bars drawn, both included
    int64_t last = 1;
    int64_t songBars = 1;
    uint32_t fromTick = 0;      // the first bar's line
    uint32_t toTick = 0;        // the line after the last bar, or the song's end inside it
    bool cutByDefault = false;  // a long song without --bars: only its first bars are drawn
};

// A choice whose last bar lies beyond the song is drawn to the song's end. Throws
// std::out_of_range, naming `songName`, when its first bar lies beyond the song.
BarStretch ChooseBars(const std::optional<BarChoice>& choice, const BarGrid& grid, uint32_t endTick,
                      const std::string& songName);
