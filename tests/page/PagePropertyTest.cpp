// A property of the page as a whole: whatever the user does with its controls, by any input
// the page accepts (drags, double-clicks, the wheel over every control, keys on every control,
// typed numbers, menus, a screen reader's set-value, settings loaded while it is open), the
// parameter block stays within the ranges the page guarantees, the two ranges keep their rules,
// the controls show the block, and the engine takes every block the page leaves and plays
// within it. 10,000 random sequences from one fixed seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "editor/PageValueMapping.h"
#include "host/EditorSettings.h"
#include "support/PageDrive.h"

namespace {

constexpr int kSequences = 10000;
constexpr uint32_t kSeed = 20240611;

// A failed check names the sequence, so that it can be replayed alone.
std::string Violation(const ArpeggiatorParams& p) {
    std::ostringstream out;
    auto outside = [&out](const char* name, int32_t value, int32_t low, int32_t high) {
        if (value < low || value > high)
            out << name << " " << value << " outside " << low << ".." << high << "; ";
    };
    outside("arpBottom", p.arpBottom, 0, 115);
    outside("arpSpan", p.arpSpan, 12, 127 - p.arpBottom);
    outside("leftHandBottom", p.leftHandBottom, 0, 126);
    outside("leftHandSpan", p.leftHandSpan, 1, 127 - p.leftHandBottom);
    outside("swing", p.swing, -100, 100);
    outside("legato", p.legato, 10, 99);
    outside("rateUnits", p.rateUnits, 0, 2);
    outside("noteValue", p.noteValue, 0, 10);
    outside("rateAmount", p.rateAmount, 1, 500);
    outside("pathDirection", p.pathDirection, 0, 3);
    outside("playOriginals", p.playOriginals, 0, 1);
    outside("leftHandWindowOn", p.leftHandWindowOn, 0, 1);
    outside("keepInRange", p.keepInRange, 0, 1);
    outside("enabled", p.enabled, 0, 1);
    if (std::memcmp(&p.formatTag, &kParamsFormatTag, sizeof p.formatTag) != 0) out << "tag; ";
    if (p.formatVersion != kParamsFormatVersion) out << "version; ";
    return out.str();
}

// Every value control shows the block: its value maps back to the block's number. The chord
// window's slider keeps its own handles after a drag of it, which the block may have pushed
// by the window's one key.
std::string Disagreement(PageHarness& h) {
    const ArpeggiatorParams p = h.filter.Params();
    using pagevalues::FromUnit;
    std::ostringstream out;
    auto shows = [&](const char* name, double x, pagevalues::Range r, int32_t want, int slack) {
        const int32_t n = FromUnit(x, r.min, r.max);
        if (n < want - slack || n > want + slack)
            out << name << " shows " << n << " for " << want << "; ";
    };
    const pagevalues::Range rate =
        p.rateUnits == 0 ? pagevalues::kNoteValue : pagevalues::kRateAmount;
    const int32_t rateValue = p.rateUnits == 0 ? p.noteValue : p.rateAmount;
    const std::tuple<const char*, pagevalues::Range, int32_t> singles[] = {
        {"rateSlider", rate, rateValue},
        {"rateBox", rate, rateValue},
        {"legatoSlider", pagevalues::kLegato, p.legato},
        {"legatoBox", pagevalues::kLegato, p.legato},
        {"swingSlider", pagevalues::kSwing, p.swing},
        {"swingBox", pagevalues::kSwing, p.swing}};
    for (const auto& [name, range, value] : singles)
        shows(name, h[name]->GetValue(), range, value, 0);
    const int32_t outTop = p.arpBottom + p.arpSpan, chordTop = p.leftHandBottom + p.leftHandSpan;
    shows("outputLowBox", h["outputLowBox"]->GetValue(), pagevalues::kKey, p.arpBottom, 0);
    shows("outputHighBox", h["outputHighBox"]->GetValue(), pagevalues::kKey, outTop, 0);
    shows("chordLowBox", h["chordLowBox"]->GetValue(), pagevalues::kKey, p.leftHandBottom, 0);
    shows("chordHighBox", h["chordHighBox"]->GetValue(), pagevalues::kKey, chordTop, 0);
    CNWMinMaxSlider* output = h.probe.RangeSlider("outputRangeSlider");
    shows("output low handle", output->GetLow(), pagevalues::kKey, p.arpBottom, 0);
    shows("output high handle", output->GetHigh(), pagevalues::kKey, outTop, 0);
    CNWMinMaxSlider* chord = h.probe.RangeSlider("chordRangeSlider");
    shows("chord low handle", chord->GetLow(), pagevalues::kKey, p.leftHandBottom, 1);
    shows("chord high handle", chord->GetHigh(), pagevalues::kKey, chordTop, 1);
    const std::pair<const char*, int32_t> buttons[] = {{"enableButton", p.enabled},
                                                       {"playThroughBox", p.playOriginals},
                                                       {"keepInRangeBox", p.keepInRange},
                                                       {"leftHandWindowBox", p.leftHandWindowOn}};
    for (const auto& [name, on] : buttons)
        if ((h[name]->GetValue() >= 0.5) != (on != 0)) out << name << " shows " << !on << "; ";
    return out.str();
}

class Operations {
public:
    Operations(PageHarness& harness, uint32_t seed) : h(harness), random(seed) {}

    // One of the things a user does to the page, picked at random; keys come twice as often.
    std::string Any() {
        using Operation = std::string (Operations::*)();
        static constexpr Operation kAll[] = {
            &Operations::Wheel,      &Operations::SliderDrag,
            &Operations::RangeDrag,  &Operations::DoubleClickSlider,
            &Operations::TypeNumber, &Operations::Menu,
            &Operations::Key,        &Operations::ReaderSets,
            &Operations::Load,       &Operations::ClickButton,
            &Operations::Key};
        return (this->*kAll[Between(0, static_cast<int32_t>(std::size(kAll)) - 1)])();
    }

    int32_t Between(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    }

    std::mt19937& Random() { return random; }

private:
    const char* Pick(std::initializer_list<const char*> names) {
        return names.begin()[Between(0, static_cast<int32_t>(names.size()) - 1)];
    }
    double Unit() {
        const int32_t edge = Between(0, 9);
        if (edge == 0) return 0.0;
        if (edge == 1) return 1.0;
        return std::uniform_real_distribution<double>(0.0, 1.0)(random);
    }

    CNWControl* AnyControl() {
        const auto controls = h.probe.Controls();
        return controls[Between(0, static_cast<int32_t>(controls.size()) - 1)].control;
    }
    const char* NameOf(const CNWControl* control) const {
        for (const auto& named : h.probe.Controls())
            if (named.control == control) return named.name;
        return "?";
    }

    // Notches over the middle of any control, through the site as the system sends them.
    std::string Wheel() {
        CNWControl* control = AnyControl();
        const RECT rect = control->GetRect();
        POINT at = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        h.view.ClientToScreen(at);
        const int delta = 120 * Between(-12, 12);
        const auto keys = static_cast<WORD>(Between(0, 1) ? MK_SHIFT : 0);
        h.view.RouteWheel(MAKEWPARAM(keys, delta), MAKELPARAM(at.x, at.y));
        return std::string(NameOf(control)) + " wheel " + std::to_string(delta);
    }
    // A key on the focused control. Keys that open a modal editor or menu are left out.
    std::string Key() {
        CNWControl* control = AnyControl();
        const UINT keys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END};
        UINT key = keys[Between(0, 7)];
        const bool toggles = dynamic_cast<CNWMultiBtn*>(control) != nullptr ||
                             dynamic_cast<CNWMinMaxSlider*>(control) != nullptr;
        if (toggles && Between(0, 4) == 0) key = VK_SPACE;
        h.view.SetKeyboardControl(control);
        h.view.HandleKey(key, Between(0, 3) == 0 ? UINT{CNWControl::kShiftKey} : 0u);
        return std::string(NameOf(control)) + " key " + std::to_string(key);
    }
    // What a reader may hand any control: numbers in and out of range, names, nonsense.
    std::string ReaderSets() {
        static const wchar_t* const kTexts[] = {
            L"Up, Up", L"Milliseconds", L"Notes", L"1/16", L"Whole", L"abc", L"", L"127", L"0"};
        CNWControl* control = AnyControl();
        const std::wstring text =
            Between(0, 1)
                ? std::to_wstring(Between(-200, 700))
                : std::wstring(kTexts[Between(0, static_cast<int32_t>(std::size(kTexts)) - 1)]);
        h.view.SetAccessibleValue(control, text);
        return std::string(NameOf(control)) + " set by a reader";
    }
    // Stored settings loaded while the page is open, or the frame handing the page its filter.
    std::string Load() {
        if (Between(0, 1) == 0) {
            IUnknown* object = static_cast<IMfxEventFilter*>(h.filter.filter);
            h.page->SetObjects(1, &object);
            return "objects set again";
        }
        ArpeggiatorParams stored = h.filter.Params();
        DrawEditorSettings(stored, random);
        h.Load(stored);
        return "settings loaded";
    }
    std::string SliderDrag() {
        const char* name = Pick({"rateSlider", "legatoSlider", "swingSlider"});
        CNWControl* slider = h[name];
        const RECT rect = slider->GetRect();
        const POINT press = {(rect.left + rect.right) / 2, Between(rect.top, rect.bottom - 1)};
        const int up = Between(-140, 140);
        slider->OnLButtonDown(0, press);
        slider->OnMouseMove(MK_LBUTTON, {press.x, press.y - up});
        slider->OnLButtonUp(0, {press.x, press.y - up});
        return std::string(name) + " dragged " + std::to_string(up);
    }
    std::string RangeDrag() {
        const char* name = Pick({"outputRangeSlider", "chordRangeSlider"});
        const bool low = Between(0, 1) == 1;
        const int up = Between(-140, 140);
        DragHandle(h.probe.RangeSlider(name), low, up);
        return std::string(name) + (low ? " low " : " high ") + std::to_string(up);
    }
    std::string DoubleClickSlider() {
        const char* name = Pick(
            {"rateSlider", "legatoSlider", "swingSlider", "outputRangeSlider", "chordRangeSlider"});
        DoubleClick(h[name]);
        return std::string(name) + " double-clicked";
    }
    // What the in-place editor lets through: a whole number within the box's limits.
    std::string TypeNumber() {
        const char* name = Pick({"rateBox", "legatoBox", "swingBox", "outputLowBox",
                                 "outputHighBox", "chordLowBox", "chordHighBox"});
        int32_t min = 0, max = 0;
        if (!h.probe.TakesNumber(h[name], min, max)) return std::string(name) + " not typed";
        const int32_t n = Between(0, 3) == 0 ? (Between(0, 1) ? min : max) : Between(min, max);
        h.probe.TypeNumber(h[name], n);
        return std::string(name) + " typed " + std::to_string(n);
    }
    std::string Menu() {
        if (Between(0, 1) == 0) {
            const auto id = static_cast<UINT>(Between(32771, 32774));
            h.view.OnPathCommand(id);
            return "path " + std::to_string(id);
        }
        const auto id = static_cast<UINT>(Between(32775, 32777));
        h.view.OnUnitsCommand(id);
        return "units " + std::to_string(id);
    }
    std::string ClickButton() {
        const char* name =
            Pick({"enableButton", "playThroughBox", "keepInRangeBox", "leftHandWindowBox"});
        CNWControl* button = h[name];
        const POINT inside = {button->GetRect().left + 1, button->GetRect().top + 1};
        button->OnLButtonDown(0, inside);
        button->OnLButtonUp(0, inside);
        return std::string(name) + " clicked";
    }

    PageHarness& h;
    std::mt19937 random;
};

// The engine plays a chord over the block the page left: every call succeeds, and with the
// range kept every generated note lies in it (played notes passed through excepted).
std::string EngineFinds(PageHarness& h) {
    const ArpeggiatorParams p = h.filter.Params();
    const std::vector<int> played = {30, 36, 60, 64, 67};
    std::vector<EventRecord> in;
    for (int key : played) in.push_back(Note(0, key, 100, 3000));
    EventQueue input, output;
    input.records = in;
    if (h.filter->FilterEvents(0, 3000, &input, &output) != S_OK) return "FilterEvents failed";
    for (const EventRecord& note : output.records) {
        const bool passed = std::find(played.begin(), played.end(), note.key) != played.end();
        if (p.keepInRange != 0 && !passed &&
            (note.key < p.arpBottom || note.key > p.arpBottom + p.arpSpan)) {
            return "key " + std::to_string(note.key) + " outside the range";
        }
    }
    if (h.filter->PlaybackStopped(3000, &output) != S_OK) return "PlaybackStopped failed";
    return "";
}

}  // namespace

TEST(PageProperty, NoSequenceOfInputsLeavesTheBlockOutsideItsRangesOrTheControlsBehind) {
    PageHarness h;
    ASSERT_TRUE(h.Open());  // a load refreshes an open page; the wheel finds controls on screen
    TouchInput touch;       // sliders dragged without moving the system's pointer
    Operations operations(h, kSeed);
    for (int sequence = 0; sequence < kSequences; ++sequence) {
        DrawEditorSettings(h.filter.Params(), operations.Random());
        h.view.RefreshAllControls();
        std::string done;
        const int count = operations.Between(1, 8);
        for (int step = 0; step < count; ++step) {
            done += operations.Any() + "; ";
            const std::string violation = Violation(h.filter.Params()) + Disagreement(h);
            ASSERT_TRUE(violation.empty()) << "sequence " << sequence << ": " << done << violation;
        }
        const std::string refused = EngineFinds(h);
        ASSERT_TRUE(refused.empty()) << "sequence " << sequence << ": " << done << refused;
    }
}
