#include "pagehost/PageHostOptions.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <stdexcept>

#include "platform/ComTypes.h"

namespace {

// What the command line holds in the system's code page, or in UTF-8 from a UTF-8 shell: the
// chord names' degree sign arrives either way.
std::wstring Widen(const std::string& text, UINT codePage, DWORD flags) {
    const int length = MultiByteToWideChar(codePage, flags, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()),
                            wide.data(), length);
    }
    return wide;
}

std::wstring CommandLineText(const std::string& text) {
    if (text.empty()) return {};
    std::wstring wide = Widen(text, CP_UTF8, MB_ERR_INVALID_CHARS);
    return wide.empty() ? Widen(text, CP_ACP, 0) : wide;
}

void AddRenderOptions(CLI::App& app, PageHostOptions& options, std::string& chord,
                      std::string& signal) {
    app.add_option("--render", options.renderFile,
                   "Paint the page into this PNG file, with no window on the screen, instead of "
                   "opening the frame");
    app.add_option("--chord", chord,
                   "With --render or --chord-on-signal: hold the keys of this chord in the "
                   "left-hand window, so that the page shows its name (\"G 7 1st inversion\"); "
                   "the window must be on (--set leftHandWindowOn=1)");
    app.add_option("--chord-on-signal", signal,
                   "With the frame: hold the --chord keys only when another process sets the "
                   "named event of this name");
}

void AddOptions(CLI::App& app, PageHostOptions& options, std::vector<std::string>& sets,
                int32_t& heldKey, bool& noFrame) {
    app.add_option("--settings", options.settingsFile,
                   "Load stored settings through the filter's IPersistStream::Load");
    app.add_option("--set", sets, "Change one setting, FIELD=VALUE, after --settings")
        ->type_name("FIELD=VALUE");
    app.add_option("--ticks-per-quarter", options.ticksPerQuarter,
                   "The host's resolution, for the page's change of rate units")
        ->check(CLI::Range(1, 1 << 20));
    app.add_option("--bpm", options.beatsPerMinute, "The host's tempo")
        ->check(CLI::Range(1.0, 1000.0));
    app.add_option("--hold-live-note", heldKey,
                   "Hold this key on live input while the page is open; one live tick after the "
                   "frame closes prints what the filter sends")
        ->check(CLI::Range(0, 127));
    app.add_flag("--no-frame", noFrame, "Do not open the property frame");
    app.add_flag("--report-windows", options.reportWindows,
                 "Print the screen rectangles of the frame, the page and the OK and Cancel "
                 "buttons once the page shows");
    app.add_flag("--report-focus", options.reportFocus,
                 "Print \"focus: NAME\" each time the keyboard focus moves, with the name a "
                 "screen reader reads");
    app.add_option("--close", options.closeWith, "Press the frame's OK or Cancel by itself")
        ->check(CLI::IsMember({"ok", "cancel"}));
    app.add_option("--save-settings", options.saveSettingsFile,
                   "Save the settings through IPersistStream::Save after the frame closed");
    app.add_flag("--print", options.printSettings, "Print the settings field by field at the end");
}

}  // namespace

std::variant<PageHostOptions, int> ParsePageHostOptions(int argc, const char* const* argv) {
    CLI::App app(
        "pagehost: shows the Arpeggiator's editor page in the system's property frame, "
        "as a host does, with the filter made from the registered Arpeggiator.dll.");
    PageHostOptions options;
    std::vector<std::string> sets;
    int32_t heldKey = -1;
    bool noFrame = false;
    std::string chord;
    std::string signal;
    AddOptions(app, options, sets, heldKey, noFrame);
    AddRenderOptions(app, options, chord, signal);
    try {
        app.parse(argc, argv);
        for (const std::string& text : sets) options.settings.push_back(ParseSetting(text));
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? kPageHostOk : kPageHostUsage;
    } catch (const std::invalid_argument& error) {
        std::cerr << "pagehost: " << error.what() << "\n";
        return kPageHostUsage;
    }
    if (heldKey >= 0) options.heldLiveKey = heldKey;
    options.chord = CommandLineText(chord);
    options.chordSignal = CommandLineText(signal);
    options.showFrame = !noFrame;
    if (!chord.empty() && options.renderFile.empty() && signal.empty()) {
        std::cerr << "pagehost: --chord needs --render or --chord-on-signal\n";
        return kPageHostUsage;
    }
    return options;
}
