// What each control writes into the filter's parameter block when the user changes it: the
// switches, the rate in each unit, legato and swing, the boxes of both ranges, and the two
// range sliders, whose grabbed end wins and whose limits always hold.
#include <gtest/gtest.h>

#include <functional>

#include "support/PageDrive.h"

namespace {

using Prepare = std::function<void(ArpeggiatorParams&)>;

// The page open on settings `prepare` made.
void OpenWith(PageHarness& h, const Prepare& prepare) {
    if (prepare) prepare(h.filter.Params());
    ASSERT_TRUE(h.Open());
}

void Ticks(ArpeggiatorParams& p) { p.rateUnits = kRateTicks; }
void Notes(ArpeggiatorParams& p) { p.rateUnits = kRateNotes; }
void NoUnit(ArpeggiatorParams& p) { p.rateUnits = 5; }
void PlayingThrough(ArpeggiatorParams& p) { p.playOriginals = 1; }
void OutputFrom60To115(ArpeggiatorParams& p) {
    p.arpBottom = 60;
    p.arpSpan = 55;
}
void OutputFrom60To80(ArpeggiatorParams& p) {
    p.arpBottom = 60;
    p.arpSpan = 20;
}
void OutputFrom36To56(ArpeggiatorParams& p) {
    p.arpBottom = 36;
    p.arpSpan = 20;
}

void OutputInverted(ArpeggiatorParams& p) {
    p.arpBottom = 120;
    p.arpSpan = -50;
}

// A value each control is given (as its own mouse or wheel handling gives it, with
// notification), and what the page writes for it.
struct ValueRow {
    const char* name;
    Prepare prepare;
    const char* control;
    double value;
    Fields expected;
};
const ValueRow kValueChanges[] = {
    {"power off", nullptr, "enableButton", 0.0, {{"enabled", 0}}},
    {"keep in range off", nullptr, "keepInRangeBox", 0.0, {{"keepInRange", 0}}},
    {"left-hand window on", nullptr, "leftHandWindowBox", 1.0, {{"leftHandWindowOn", 1}}},
    {"play through on", nullptr, "playThroughBox", 1.0, {{"playOriginals", 1}}},
    {"play through off", PlayingThrough, "playThroughBox", 0.0, {{"playOriginals", 0}}},
    {"rate slider at the top, in ms", nullptr, "rateSlider", 1.0, {{"rateAmount", 500}}},
    {"rate box at the bottom, in ticks", Ticks, "rateBox", 0.0, {{"rateAmount", 1}}},
    {"rate slider in Notes, to the nearest note value",
     Notes,
     "rateSlider",
     0.44,
     {{"noteValue", 4}, {"rateAmount", 100}}},
    {"rate slider with rateUnits 5 changes nothing",
     NoUnit,
     "rateSlider",
     1.0,
     {{"rateAmount", 100}, {"noteValue", 0}}},
    {"legato slider in the middle", nullptr, "legatoSlider", 0.5, {{"legato", 55}}},
    {"legato box at the top", nullptr, "legatoBox", 1.0, {{"legato", 99}}},
    {"swing slider in the middle", nullptr, "swingSlider", 0.5, {{"swing", 0}}},
    {"swing box at the bottom", nullptr, "swingBox", 0.0, {{"swing", -100}}},
    {"output low box keeps the top",
     nullptr,
     "outputLowBox",
     50.0 / 127,
     {{"arpBottom", 50}, {"arpSpan", 46}}},
    {"output high box",
     nullptr,
     "outputHighBox",
     100.0 / 127,
     {{"arpBottom", 36}, {"arpSpan", 64}}},
    {"chord low box keeps the top",
     nullptr,
     "chordLowBox",
     30.0 / 127,
     {{"leftHandBottom", 30}, {"leftHandSpan", 18}}},
    {"chord high box",
     nullptr,
     "chordHighBox",
     60.0 / 127,
     {{"leftHandBottom", 24}, {"leftHandSpan", 36}}},
    // A box's value is any key: the range rules still hold, the moved end pushes the other.
    // clang-format off
    {"output low box above the top", nullptr, "outputLowBox", 100.0 / 127, {{"arpBottom", 100}, {"arpSpan", 12}}},
    {"output high box below the bottom", nullptr, "outputHighBox", 20.0 / 127, {{"arpBottom", 8}, {"arpSpan", 12}}},
    {"chord high box at the bottom", nullptr, "chordHighBox", 0.0, {{"leftHandBottom", 0}, {"leftHandSpan", 1}}},
    {"a stored inverted range, then the high box", OutputInverted, "outputHighBox", 1.0, {{"arpBottom", 115}, {"arpSpan", 12}}},
    // clang-format on
};

// Drags of one handle (one pixel moves a handle by one key), and what the page writes.
struct DragRow {
    const char* name;
    Prepare prepare;
    const char* slider;
    bool low;
    int up;
    Fields expected;
};
const DragRow kRangeDrags[] = {
    {"output low up to 110, top at 115",
     OutputFrom60To115,
     "outputRangeSlider",
     true,
     50,
     {{"arpBottom", 110}, {"arpSpan", 12}}},
    {"output low up to 120: bottom 115, top 127",
     OutputFrom60To115,
     "outputRangeSlider",
     true,
     60,
     {{"arpBottom", 115}, {"arpSpan", 12}}},
    {"output top down to 50 pushes the bottom down",
     OutputFrom60To80,
     "outputRangeSlider",
     false,
     -30,
     {{"arpBottom", 38}, {"arpSpan", 12}}},
    {"output top down to 5: top 12, bottom 0",
     OutputFrom36To56,
     "outputRangeSlider",
     false,
     -51,
     {{"arpBottom", 0}, {"arpSpan", 12}}},
    {"chord low up past the top pushes it",
     nullptr,
     "chordRangeSlider",
     true,
     40,
     {{"leftHandBottom", 64}, {"leftHandSpan", 1}}},
    {"chord low to the top: 126 and 127",
     nullptr,
     "chordRangeSlider",
     true,
     110,
     {{"leftHandBottom", 126}, {"leftHandSpan", 1}}},
    {"chord top down past the bottom pushes it",
     nullptr,
     "chordRangeSlider",
     false,
     -40,
     {{"leftHandBottom", 7}, {"leftHandSpan", 1}}},
};

// A double-click puts a single slider back to its middle; the box beside it follows.
struct ResetRow {
    const char* name;
    Prepare prepare;
    const char* slider;
    Fields expected;
    const char* box;
    const wchar_t* boxText;
};
const ResetRow kResets[] = {
    {"legato", nullptr, "legatoSlider", {{"legato", 55}}, "legatoBox", L"55%"},
    {"swing", nullptr, "swingSlider", {{"swing", 0}}, "swingBox", L"0%"},
    {"rate in ticks", Ticks, "rateSlider", {{"rateAmount", 251}}, "rateBox", L"251"},
    {"rate in ms", nullptr, "rateSlider", {{"rateAmount", 251}}, "rateBox", L"251"},
    {"rate in Notes", Notes, "rateSlider", {{"noteValue", 5}}, "rateBox", L"1/8 T"},
};

}  // namespace

TEST(PageChanges, EachControlWritesItsParameterUnderTheLock) {
    for (const ValueRow& row : kValueChanges) {
        SCOPED_TRACE(row.name);
        PageHarness h;
        OpenWith(h, row.prepare);
        h[row.control]->SetValue(row.value, 1, 1);
        ExpectFields(h.filter.Params(), row.expected);
    }
}

// The rate's slider and box, and legato's and swing's, follow each other.
TEST(PageChanges, TheOtherControlOfAPairFollows) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    h["rateSlider"]->SetValue(1.0, 1, 1);
    EXPECT_EQ(h["rateBox"]->GetValueText(), L"500");
    h["legatoBox"]->SetValue(0.0, 1, 1);
    EXPECT_DOUBLE_EQ(h["legatoSlider"]->GetValue(), 0.0);
    h["swingSlider"]->SetValue(1.0, 1, 1);
    EXPECT_EQ(h["swingBox"]->GetValueText(), L"100%");
    h["outputHighBox"]->SetValue(100.0 / 127, 1, 1);
    EXPECT_DOUBLE_EQ(h.probe.RangeSlider("outputRangeSlider")->GetHigh(), 100.0 / 127);
}

TEST(PageChanges, SwitchingPlayThroughOffSilencesTheNotesItLetThrough) {
    PageHarness h;
    OpenWith(h, PlayingThrough);
    EXPECT_EQ(h.filter.State().flushHeld, 0u);
    h["playThroughBox"]->SetValue(0.0, 1, 1);
    EXPECT_EQ(h.filter.Params().playOriginals, 0);
    EXPECT_EQ(h.filter.State().flushHeld, 1u);
    h.filter.Tick();  // the engine takes the request
    h["playThroughBox"]->SetValue(1.0, 1, 1);
    EXPECT_EQ(h.filter.State().flushHeld, 0u) << "switching it on requests nothing";
}

// Dragged with the controls' own mouse handlers.
TEST(PageChanges, TheGrabbedEndOfARangeWinsAndTheLimitsHold) {
    for (const DragRow& row : kRangeDrags) {
        SCOPED_TRACE(row.name);
        PageHarness h;
        OpenWith(h, row.prepare);
        TouchInput touch;
        DragHandle(h.probe.RangeSlider(row.slider), row.low, row.up);
        ExpectFields(h.filter.Params(), row.expected);
    }
}

TEST(PageChanges, ADoubleClickResetsASliderToItsMiddle) {
    for (const ResetRow& row : kResets) {
        SCOPED_TRACE(row.name);
        PageHarness h;
        OpenWith(h, row.prepare);
        DoubleClick(h[row.slider]);
        ExpectFields(h.filter.Params(), row.expected);
        EXPECT_EQ(h[row.box]->GetValueText(), row.boxText);
    }
}
