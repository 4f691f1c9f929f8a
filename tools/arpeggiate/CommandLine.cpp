#include "arpeggiate/CommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>

int32_t DefaultWindowTicks(int ticksPerQuarter) { return std::max(ticksPerQuarter / 8, 2); }

namespace {

constexpr const char* kDescription =
    "Arpeggiates a Standard MIDI File through the Arpeggiator filter, acting as its host: one "
    "filter on every track that has notes, the song played through it window by window from "
    "tick 0, with the file's tempo map as the host's clock. Meta and system-exclusive events "
    "bypass the filter; other channel messages pass through it unchanged. Channel 10 is General "
    "MIDI's percussion: a track whose notes are all on it is copied, and in other tracks its "
    "notes are left as they were, unless --drums is given.";

std::string Footer() {
    return "Settings (--set FIELD=VALUE; numbers are the stored values, texts match without "
           "regard to case or spaces):\n" +
           DescribeSettings() +
           "\nPlayback: the song is handed to each filter in windows of --window ticks that "
           "start at tick 0 (where the filter resets) and follow each other without gaps "
           "through the song's end. The default, an eighth of a quarter note (60 ticks at 480 "
           "per quarter, 62.5 ms at 120 BPM), is of the order of the few tens of milliseconds "
           "a sequencer prepares ahead of playback. The filter works in chunks of at most 101 "
           "ticks inside each window, so the window size can move a chord change or an "
           "arpeggio start by a chunk.\n"
           "\nWriting: each note becomes a note-on and a note-off. When a note starts on a key "
           "that is still sounding on its channel, the earlier note is ended first, at that "
           "tick. A generated note of velocity 0 is left out (it would read as a note-off). "
           "Every file is written to a temporary file beside it and renamed when complete.\n"
           "\nExit codes: 0 done; 1 an output could not be written or the filter could not be "
           "made; 2 a bad command line, or an input or settings file that cannot be read "
           "(nothing is written then).\n";
}

// A CLI11 validator from a parser that throws std::invalid_argument.
template <typename Parse>
std::function<std::string(const std::string&)> CheckWith(Parse parse) {
    return [parse](const std::string& text) -> std::string {
        try {
            parse(text);
            return {};
        } catch (const std::invalid_argument& error) {
            return error.what();
        }
    };
}

// What CLI11 reads before it becomes Options.
struct RawOptions {
    std::vector<std::string> sets;
    int32_t window = 0;
    std::string bars;
};

// The song, its tracks and the filter's settings.
void AddPlayOptions(CLI::App& app, Options& options, RawOptions& raw) {
    app.add_option("IN.mid", options.input, "Standard MIDI File to read (format 0 or 1)")
        ->required();
    app.add_option("OUT.mid", options.output, "Standard MIDI File to write")->required();
    app.add_option("--set", raw.sets,
                   "Change one setting (repeatable); the settings are listed below")
        ->type_name("FIELD=VALUE")
        ->allow_extra_args(false)
        ->check(CheckWith(ParseSetting));
    app.add_option("--settings", options.settingsFile,
                   "Load stored settings (76 bytes, or the 52-byte form of older projects) "
                   "through the filter's IPersistStream::Load before any --set")
        ->type_name("FILE");
    app.add_option("--save-settings", options.saveSettingsFile,
                   "Save the settings in effect through the filter's IPersistStream::Save")
        ->type_name("FILE");
    app.add_option("--track", options.tracks,
                   "Arpeggiate only this track, counted from 1 in file order (repeatable); the "
                   "other tracks are copied as they are. Channel 10 still needs --drums")
        ->type_name("N")
        ->allow_extra_args(false)
        ->check(CLI::Range(1, 65535));
    app.add_option("--window", raw.window,
                   "The host's playback window in ticks, at least 2; default an eighth of a "
                   "quarter note (see below)")
        ->type_name("TICKS")
        ->check(CLI::Range(2, 1 << 24));
    app.add_flag("--drums", options.drums,
                 "Arpeggiate channel 10 (General MIDI percussion) like the others; without it "
                 "a track whose notes are all on channel 10 is copied, and channel 10's notes "
                 "in other tracks are left as they were");
}

// What the run shows: the piano roll and the summary.
void AddShowOptions(CLI::App& app, Options& options, RawOptions& raw) {
    CLI::Option* roll =
        app.add_option("--piano-roll", options.pianoRollFile,
                       "Draw the played notes, the arpeggio and the recognised chords as an SVG "
                       "piano roll")
            ->type_name("FILE.svg");
    app.add_option("--bars", raw.bars,
                   "The bars the piano roll draws, counted from 1 as the summary counts them: "
                   "FROM-TO, or FROM- to the end; default the first 64")
        ->type_name("FROM-TO")
        ->check(CheckWith(ParseBarChoice))
        ->needs(roll);
    app.add_flag("-q,--quiet", options.quiet, "Print no summary and no progress bar");
}

}  // namespace

std::variant<Options, int> ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                            std::ostream& err) {
    CLI::App app(kDescription, "arpeggiate");
    // Paths start with '/' on Unix and under Wine; they are never Windows-style options.
    app.allow_windows_style_options(false);
    app.footer(Footer());
    app.set_version_flag("--version", "arpeggiate " ARP_PROJECT_VERSION,
                         "Print the version and exit");
    Options options;
    RawOptions raw;
    AddPlayOptions(app, options, raw);
    AddShowOptions(app, options, raw);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) return app.exit(error, out, err);
        err << "arpeggiate: " << error.what() << "\n" << kHelpPointer << "\n";
        return kExitUsage;
    }
    for (const std::string& text : raw.sets) options.settings.push_back(ParseSetting(text));
    if (!raw.bars.empty()) options.bars = ParseBarChoice(raw.bars);
    if (raw.window != 0) options.windowTicks = raw.window;
    return options;
}
