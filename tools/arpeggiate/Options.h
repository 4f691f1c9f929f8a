// What the command line asked for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "arpeggiate/RollBars.h"
#include "arpeggiate/SettingsFields.h"

struct Options {
    std::string input;
    std::string output;
    std::vector<SettingAssignment> settings;  // --set, in the order given
    std::string settingsFile;                 // --settings
    std::string saveSettingsFile;             // --save-settings
    std::string pianoRollFile;                // --piano-roll
    std::vector<int> tracks;                  // --track, from 1; empty: every track
    bool drums = false;                       // --drums: channel 10 is arpeggiated too
    std::optional<BarChoice> bars;            // --bars; default: the first 64
    std::optional<int32_t> windowTicks;       // --window; default: an eighth of a quarter
    bool quiet = false;
};

// The host's playback window when --window is not given.
int32_t DefaultWindowTicks(int ticksPerQuarter);
