#include "arpeggiate/RollBars.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr const char* kForm = "expected FROM-TO or FROM- with bars counted from 1";

int64_t BarNumber(const std::string& text, size_t begin, size_t end) {
    int64_t bar = 0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    const auto [stop, error] = std::from_chars(first, last, bar);
    if (first == last || error != std::errc() || stop != last || bar < 1) {
        throw std::invalid_argument("'" + text + "': " + kForm);
    }
    return bar;
}

}  // namespace

BarChoice ParseBarChoice(const std::string& text) {
    const size_t dash = text.find('-');
    if (dash == std::string::npos) throw std::invalid_argument("'" + text + "': " + kForm);
    BarChoice choice;
    choice.text = text;
    choice.first = BarNumber(text, 0, dash);
    if (dash + 1 < text.size()) {
        choice.last = BarNumber(text, dash + 1, text.size());
        if (*choice.last < choice.first) {
            throw std::invalid_argument("'" + text + "': the last bar comes before the first");
        }
    }
    return choice;
}

BarStretch ChooseBars(const std::optional<BarChoice>& choice, const BarGrid& grid, uint32_t endTick,
                      const std::string& songName) {
    BarStretch stretch;
    // An empty song still gets one (empty) bar to draw.
    stretch.songBars = std::max<int64_t>(SongBars(grid, endTick), 1);
    if (choice) {
        if (choice->first > stretch.songBars) {
            throw std::out_of_range("--bars " + choice->text + ": " + songName + " has bars 1 to " +
                                    std::to_string(stretch.songBars));
        }
        stretch.first = choice->first;
        stretch.last = std::min(choice->last.value_or(stretch.songBars), stretch.songBars);
    } else {
        stretch.last = std::min(stretch.songBars, kDefaultRollBars);
        stretch.cutByDefault = stretch.last < stretch.songBars;
    }
    stretch.fromTick = static_cast<uint32_t>(grid.BarStart(stretch.first));
    stretch.toTick =
        static_cast<uint32_t>(std::min<int64_t>(grid.BarStart(stretch.last + 1), endTick));
    return stretch;
}
