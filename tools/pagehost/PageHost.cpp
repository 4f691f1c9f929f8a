#include "pagehost/PageHost.h"

#include <optional>
#include <stdexcept>

#include "MidiConstants.h"
#include "arpeggiate/FileIo.h"
#include "arpeggiate/HresultText.h"
#include "arpeggiate/SettingsBlock.h"
#include "host/ParamFields.h"
#include "pagehost/ChordKeys.h"
#include "pagehost/ChordSignal.h"
#include "pagehost/FocusReport.h"
#include "pagehost/FrameWatch.h"
#include "pagehost/HostedFilter.h"
#include "pagehost/PageRenderer.h"
#include "pagehost/PngFile.h"
#include "pagehost/PropertyFrame.h"

namespace {

// OLE for the frame, in a single-threaded apartment: the page and its frame live on this thread.
class OleSession {
public:
    OleSession() {
        if (FAILED(OleInitialize(nullptr))) throw std::runtime_error("OLE could not start");
    }
    ~OleSession() { OleUninitialize(); }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
};

constexpr uint8_t kLiveVelocity = 100;

void LoadInputSettings(HostedFilter& filter, const PageHostOptions& options) {
    std::vector<uint8_t> image;
    std::string origin = "--set";
    if (!options.settingsFile.empty()) {
        image = ReadWholeFile(options.settingsFile);
        origin = options.settingsFile;
        filter.LoadSettings(image, origin);
    }
    if (options.settings.empty()) return;
    image = ApplySettings(filter.SaveSettings(), options.settings);
    filter.LoadSettings(image, origin);
}

void PrintRect(std::ostream& out, const char* name, const RECT& rect) {
    out << name << ' ' << rect.left << ' ' << rect.top << ' ' << rect.right << ' ' << rect.bottom
        << '\n';
}

void OnPageShown(const PageHostOptions& options, std::ostream& out, const FrameLayout& layout) {
    if (options.reportWindows) {
        PrintRect(out, "frame", layout.frameRect);
        PrintRect(out, "page", layout.pageRect);
        PrintRect(out, "ok", layout.okRect);
        PrintRect(out, "cancel", layout.cancelRect);
        out << "shown" << std::endl;
    }
    if (options.closeWith == "ok") FrameWatch::PressButton(layout, IDOK);
    if (options.closeWith == "cancel") FrameWatch::PressButton(layout, IDCANCEL);
}

void HoldChord(HostedFilter& filter, const std::wstring& chord);

void ShowFrame(HostedFilter& filter, const PageHostOptions& options, std::ostream& out) {
    std::optional<FocusReport> focus;
    if (options.reportFocus) focus.emplace(out);
    std::optional<ChordSignal> chord;
    if (!options.chordSignal.empty()) {
        chord.emplace(options.chordSignal,
                      [&filter, &options] { HoldChord(filter, options.chord); });
    }
    FrameWatch watch(
        [&options, &out](const FrameLayout& layout) { OnPageShown(options, out, layout); });
    const HRESULT hr = ShowPropertyFrame(filter.Identity(), L"Arpeggiator");
    if (FAILED(hr)) throw std::runtime_error("the property frame failed (" + HresultText(hr) + ")");
    if (!watch.SawPage()) throw std::runtime_error("the property frame showed no page");
}

// The chord's keys pressed on live input (channel 1), as a player's left hand would: the
// filter names the chord and tells the open page, whose notification waits in this thread's
// queue.
void HoldChord(HostedFilter& filter, const std::wstring& chord) {
    const ArpeggiatorParams params = ParamsOf(filter.SaveSettings());
    if (params.leftHandWindowOn == 0) {
        throw std::invalid_argument(
            "--chord needs the left-hand window on (--set leftHandWindowOn=1)");
    }
    std::vector<ShortMessageRecord> presses;
    for (int32_t key : KeysForChord(chord, params.leftHandBottom, params.leftHandSpan)) {
        presses.push_back({0, midi::kNoteOn, static_cast<uint8_t>(key), kLiveVelocity, 0});
    }
    filter.Live(presses);
}

void RenderPage(HostedFilter& filter, const PageHostOptions& options) {
    PageRenderer renderer(filter.Identity());
    if (!options.chord.empty()) HoldChord(filter, options.chord);
    renderer.Pump();
    WritePng(options.renderFile, renderer.Render());
}

// "live 90 60 0": status, key and velocity of each message, in hexadecimal status as MIDI
// tools print it.
void PrintLive(std::ostream& out, const std::vector<ShortMessageRecord>& messages) {
    for (const ShortMessageRecord& message : messages) {
        out << "live " << std::hex << int{message.status} << std::dec << ' ' << int{message.data1}
            << ' ' << int{message.data2} << '\n';
    }
}

void PrintSettings(std::ostream& out, const ArpeggiatorParams& params) {
    for (const ParamField& field : ParamFields()) {
        out << field.name << '=' << field.In(params) << '\n';
    }
}

}  // namespace

int RunPageHost(const PageHostOptions& options, std::ostream& out, std::ostream& err) {
    try {
        OleSession ole;
        HostedFilter filter(options.ticksPerQuarter, options.beatsPerMinute);
        LoadInputSettings(filter, options);
        const auto key = static_cast<uint8_t>(options.heldLiveKey.value_or(0));
        if (options.heldLiveKey) filter.Live({{0, midi::kNoteOn, key, kLiveVelocity, 0}});
        if (!options.renderFile.empty()) {
            RenderPage(filter, options);
        } else if (options.showFrame) {
            ShowFrame(filter, options, out);
        }
        if (options.heldLiveKey) PrintLive(out, filter.Live({}));
        const std::vector<uint8_t> saved = filter.SaveSettings();
        if (!options.saveSettingsFile.empty()) WriteFileAtomically(options.saveSettingsFile, saved);
        if (options.printSettings) PrintSettings(out, ParamsOf(saved));
        out.flush();
        return kPageHostOk;
    } catch (const std::invalid_argument& error) {
        err << "pagehost: " << error.what() << std::endl;
        return kPageHostUsage;
    } catch (const std::exception& error) {
        err << "pagehost: " << error.what() << std::endl;
        return kPageHostFailed;
    }
}
