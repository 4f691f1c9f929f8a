// A property of the page as a whole: whatever the user does with its controls, starting from
// any settings the editor could have stored, the parameter block stays within the ranges the
// page guarantees, and the engine takes every block the page leaves and plays within it.
// 10,000 random sequences of the page's own operations, from one fixed seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

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

class Operations {
public:
    Operations(PageHarness& harness, uint32_t seed) : h(harness), random(seed) {}

    // One of the things a user does to the page, picked at random.
    std::string Any() {
        switch (Between(0, 6)) {
            case 0:
                return SliderValue();
            case 1:
                return SliderDrag();
            case 2:
                return RangeDrag();
            case 3:
                return DoubleClickSlider();
            case 4:
                return TypeNumber();
            case 5:
                return Menu();
            default:
                return ClickButton();
        }
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

    // A value as the wheel sets it.
    std::string SliderValue() {
        const char* name = Pick({"rateSlider", "legatoSlider", "swingSlider"});
        const double x = Unit();
        h[name]->SetValue(x, 1, 1);
        return std::string(name) + " = " + std::to_string(x);
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
            h.page->OnPathCommand(id);
            return "path " + std::to_string(id);
        }
        const auto id = static_cast<UINT>(Between(32775, 32777));
        h.page->OnUnitsCommand(id);
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

TEST(PageProperty, NoSequenceOfOperationsLeavesTheBlockOutsideItsRanges) {
    PageHarness h;
    h.page->LayoutControls();  // the controls need their places; the window does not
    TouchInput touch;          // sliders dragged without moving the system's pointer
    Operations operations(h, kSeed);
    for (int sequence = 0; sequence < kSequences; ++sequence) {
        ArpeggiatorParams& params = h.filter.Params();
        DrawEditorSettings(params, operations.Random());
        h.page->RefreshAllControls();
        std::string done;
        const int count = operations.Between(1, 8);
        for (int step = 0; step < count; ++step) {
            done += operations.Any() + "; ";
            const std::string violation = Violation(h.filter.Params());
            ASSERT_TRUE(violation.empty()) << "sequence " << sequence << ": " << done << violation;
        }
        const std::string refused = EngineFinds(h);
        ASSERT_TRUE(refused.empty()) << "sequence " << sequence << ": " << done << refused;
    }
}
