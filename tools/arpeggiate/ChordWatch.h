// The chords one filter recognised, each at the start of the playback window in which the
// filter announced it: what an editor page would have shown, and when.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ChordMark {
    int32_t tick;
    std::string name;  // UTF-8
};

class ChordWatch {
public:
    // The host sets this before every FilterEvents call.
    int32_t windowStart = 0;

    // A chord name from the filter. The filter announces its chord at every chunk that holds a
    // note, so a name equal to the last one is not a new chord; an empty name (playback reset)
    // ends the last chord without being recorded.
    void Announce(std::string_view name) {
        if (name.empty()) {
            lastName.clear();
            return;
        }
        if (name == lastName) return;
        lastName = name;
        marks.push_back({windowStart, std::string(name)});
    }

    std::vector<ChordMark> marks;

private:
    std::string lastName;
};
