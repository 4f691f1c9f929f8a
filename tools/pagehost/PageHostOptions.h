// What one run of pagehost does. The tool plays a sequencer's part around the editor page:
// it makes the filter from the registered module, gives it settings, shows its pages in the
// system's property frame and saves what the user left behind.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "arpeggiate/SettingsFields.h"

struct PageHostOptions {
    // Settings in: a stored file (76 bytes, or the 52-byte form of older projects), then
    // single fields on top.
    std::string settingsFile;
    std::vector<SettingAssignment> settings;

    // The host the filter is attached to: its time converter's tempo.
    int32_t ticksPerQuarter = 960;
    double beatsPerMinute = 120.0;

    // A key the player holds down (live input, channel 1, velocity 100) while the page is
    // open; after the frame closes one live tick shows what the filter sends.
    std::optional<int32_t> heldLiveKey;

    // The frame. Without it the settings go straight from input to output.
    bool showFrame = true;
    // Print where the frame, the page and the frame's buttons lie on the screen, once the page
    // shows, for whoever drives the frame from outside (tests, screen readers).
    bool reportWindows = false;
    // Print "focus: NAME" each time the keyboard focus moves, as a screen reader names it.
    bool reportFocus = false;
    // Press this frame button by itself once the page shows ("ok" or "cancel"); empty: the
    // user closes the frame.
    std::string closeWith;

    // Instead of the frame: the page painted into this PNG file, with no window on the screen,
    // after the player held the keys of `chord` (a recognised chord's text, "G 7 1st
    // inversion") in the left-hand window, when one is given.
    std::string renderFile;
    std::wstring chord;
    // With the frame: `chord` is held only once another process sets the named event of this
    // name, from a thread of its own, as live input arrives while a page is open.
    std::wstring chordSignal;

    // Settings out.
    std::string saveSettingsFile;
    bool printSettings = false;
};

// Exit codes: 0 done, 1 the filter, the frame or a file failed, 2 a bad command line.
inline constexpr int kPageHostOk = 0;
inline constexpr int kPageHostFailed = 1;
inline constexpr int kPageHostUsage = 2;

// The options, or the exit code when the run ends here (after --help, or a bad command line
// reported on stderr).
std::variant<PageHostOptions, int> ParsePageHostOptions(int argc, const char* const* argv);
