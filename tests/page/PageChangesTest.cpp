// What each control writes into the filter's parameter block when the user changes it: the
// switches, the rate in each unit, legato and swing, the boxes of both ranges, and the two
// range sliders, whose grabbed end wins and whose limits always hold.
#include <gtest/gtest.h>

#include "support/PageFields.h"

namespace {

// The page open on the default settings with `before` changed.
void OpenWith(PageHarness& h, Fields before) {
    SetFields(h.filter.Params(), before);
    ASSERT_TRUE(h.Open());
}

// A value each control is given (as its own mouse or wheel handling gives it, with
// notification), and what the page writes for it.
struct ValueRow {
    const char* name;
    Fields before;
    const char* control;
    double value;
    Fields expected;
};
// clang-format off
const ValueRow kValueChanges[] = {
    {"power off", {}, "enableButton", 0.0, {{"enabled", 0}}},
    {"keep in range off", {}, "keepInRangeBox", 0.0, {{"keepInRange", 0}}},
    {"left-hand window on", {}, "leftHandWindowBox", 1.0, {{"leftHandWindowOn", 1}}},
    {"play through on", {}, "playThroughBox", 1.0, {{"playOriginals", 1}}},
    {"play through off", {{"playOriginals", 1}}, "playThroughBox", 0.0, {{"playOriginals", 0}}},
    {"rate slider at the top, in ms", {}, "rateSlider", 1.0, {{"rateAmount", 500}}},
    {"rate box at the bottom, in ticks", {{"rateUnits", 1}}, "rateBox", 0.0, {{"rateAmount", 1}}},
    {"rate slider in Notes, to the nearest note value", {{"rateUnits", 0}}, "rateSlider", 0.44, {{"noteValue", 4}, {"rateAmount", 100}}},
    {"rate slider with rateUnits 5 changes nothing", {{"rateUnits", 5}}, "rateSlider", 1.0, {{"rateAmount", 100}, {"noteValue", 0}}},
    {"legato slider in the middle", {}, "legatoSlider", 0.5, {{"legato", 55}}},
    {"legato box at the top", {}, "legatoBox", 1.0, {{"legato", 99}}},
    {"swing slider in the middle", {}, "swingSlider", 0.5, {{"swing", 0}}},
    {"swing box at the bottom", {}, "swingBox", 0.0, {{"swing", -100}}},
    {"output low box keeps the top", {}, "outputLowBox", 50.0 / 127, {{"arpBottom", 50}, {"arpSpan", 46}}},
    {"output high box", {}, "outputHighBox", 100.0 / 127, {{"arpBottom", 36}, {"arpSpan", 64}}},
    {"chord low box keeps the top", {}, "chordLowBox", 30.0 / 127, {{"leftHandBottom", 30}, {"leftHandSpan", 18}}},
    {"chord high box", {}, "chordHighBox", 60.0 / 127, {{"leftHandBottom", 24}, {"leftHandSpan", 36}}},
    // A box's value is any key: the range rules still hold, the moved end pushes the other.
    {"output low box above the top", {}, "outputLowBox", 100.0 / 127, {{"arpBottom", 100}, {"arpSpan", 12}}},
    {"a stored inverted range, then the high box", {{"arpBottom", 120}, {"arpSpan", -50}}, "outputHighBox", 1.0, {{"arpBottom", 115}, {"arpSpan", 12}}},
};
// clang-format on

// Drags of one handle (one pixel moves a handle by one key), and what the page writes.
struct DragRow {
    const char* name;
    Fields before;
    const char* slider;
    bool low;
    int up;
    Fields expected;
};
// clang-format off
const DragRow kRangeDrags[] = {
    {"output low up to 110, top at 115", {{"arpBottom", 60}, {"arpSpan", 55}}, "outputRangeSlider", true, 50, {{"arpBottom", 110}, {"arpSpan", 12}}},
    {"output low up to 120: bottom 115, top 127", {{"arpBottom", 60}, {"arpSpan", 55}}, "outputRangeSlider", true, 60, {{"arpBottom", 115}, {"arpSpan", 12}}},
    {"output top down to 50 pushes the bottom down", {{"arpBottom", 60}, {"arpSpan", 20}}, "outputRangeSlider", false, -30, {{"arpBottom", 38}, {"arpSpan", 12}}},
    {"output top down to 5: top 12, bottom 0", {{"arpBottom", 36}, {"arpSpan", 20}}, "outputRangeSlider", false, -51, {{"arpBottom", 0}, {"arpSpan", 12}}},
    {"chord low up past the top pushes it", {}, "chordRangeSlider", true, 40, {{"leftHandBottom", 64}, {"leftHandSpan", 1}}},
    {"chord low to the top: 126 and 127", {}, "chordRangeSlider", true, 110, {{"leftHandBottom", 126}, {"leftHandSpan", 1}}},
    {"chord top down past the bottom pushes it", {}, "chordRangeSlider", false, -40, {{"leftHandBottom", 7}, {"leftHandSpan", 1}}},
};
// clang-format on

// A double-click puts a single slider back to its middle; the box beside it follows.
struct ResetRow {
    const char* name;
    Fields before;
    const char* slider;
    Fields expected;
    const char* box;
    const wchar_t* boxText;
};
// clang-format off
const ResetRow kResets[] = {
    {"legato", {}, "legatoSlider", {{"legato", 55}}, "legatoBox", L"55%"},
    {"swing", {}, "swingSlider", {{"swing", 0}}, "swingBox", L"0%"},
    {"rate in ticks", {{"rateUnits", 1}}, "rateSlider", {{"rateAmount", 251}}, "rateBox", L"251"},
    {"rate in Notes", {{"rateUnits", 0}}, "rateSlider", {{"noteValue", 5}}, "rateBox", L"1/8 T"},
};
// clang-format on

}  // namespace

TEST(PageChanges, EachControlWritesItsParameterUnderTheLock) {
    for (const ValueRow& row : kValueChanges) {
        SCOPED_TRACE(row.name);
        PageHarness h;
        OpenWith(h, row.before);
        h[row.control]->SetValue(row.value, 1, 1);
        ExpectFields(h.filter.Params(), row.expected);
    }
}

TEST(PageChanges, SwitchingPlayThroughOffSilencesTheNotesItLetThrough) {
    PageHarness h;
    OpenWith(h, {{"playOriginals", 1}});
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
        OpenWith(h, row.before);
        TouchInput touch;
        DragHandle(h.probe.RangeSlider(row.slider), row.low, row.up);
        ExpectFields(h.filter.Params(), row.expected);
    }
}

TEST(PageChanges, ADoubleClickResetsASliderToItsMiddle) {
    for (const ResetRow& row : kResets) {
        SCOPED_TRACE(row.name);
        PageHarness h;
        OpenWith(h, row.before);
        DoubleClick(h[row.slider]);
        ExpectFields(h.filter.Params(), row.expected);
        EXPECT_EQ(h[row.box]->GetValueText(), row.boxText);
    }
}
