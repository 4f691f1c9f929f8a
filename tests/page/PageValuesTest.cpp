// What the controls show of the parameter block: the defaults, the rate's two faces, and the
// stored values outside the name tables, which only old or foreign settings can hold.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/PageHarness.h"

namespace {

struct Shown {
    const char* control;
    const wchar_t* text;
};

void ExpectTexts(PageHarness& h, std::initializer_list<Shown> rows) {
    for (const Shown& row : rows) {
        SCOPED_TRACE(row.control);
        EXPECT_EQ(h[row.control]->GetValueText(), row.text);
    }
}

}  // namespace

TEST(PageValues, TheDefaultsReadAsTheFilterStarts) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    ExpectTexts(h, {{"rateBox", L"100"},
                    {"legatoBox", L"50%"},
                    {"swingBox", L"10%"},
                    {"outputLowBox", L"36 (C3)"},
                    {"outputHighBox", L"96 (C8)"},
                    {"chordLowBox", L"24 (C2)"},
                    {"chordHighBox", L"48 (C4)"},
                    {"unitsDropDown", L"Milliseconds"},
                    {"pathDropDown", L"Up, Down"},
                    {"chordDisplay", L""}});
    struct Switch {
        const char* button;
        double value;
    };
    for (const Switch& row : {Switch{"enableButton", 1.0}, Switch{"playThroughBox", 0.0},
                              Switch{"keepInRangeBox", 1.0}, Switch{"leftHandWindowBox", 0.0}}) {
        SCOPED_TRACE(row.button);
        EXPECT_EQ(h[row.button]->GetValue(), row.value);
    }
}

TEST(PageValues, TheRateShowsNoteValuesInNotesModeAndNumbersOtherwise) {
    const wchar_t* const names[] = {L"1/32", L"1/32 T", L"1/16", L"1/16 T", L"1/8",  L"1/8 T",
                                    L"1/4",  L"1/4 T",  L"1/2",  L"1/2 T",  L"Whole"};
    PageHarness h;
    ASSERT_TRUE(h.Open());
    h.filter.Params().rateUnits = kRateNotes;
    for (int32_t note = 0; note <= 10; ++note) {
        SCOPED_TRACE("noteValue " + std::to_string(note));
        h.filter.Params().noteValue = note;
        h.page->RefreshAllControls();
        EXPECT_EQ(h["rateBox"]->GetValueText(), names[note]);
        EXPECT_DOUBLE_EQ(h["rateSlider"]->GetValue(), note / 10.0);
    }
    h.filter.Params().rateUnits = kRateTicks;
    h.filter.Params().rateAmount = 480;
    h.page->RefreshAllControls();
    ExpectTexts(h, {{"rateBox", L"480"}, {"unitsDropDown", L"MIDI Ticks"}});
    EXPECT_DOUBLE_EQ(h["rateSlider"]->GetValue(), 479.0 / 499);
}

// Stored settings may hold any number; the page never reads past a name table and shows the
// number itself, marked "?".
TEST(PageValues, StoredValuesOutsideTheNameTablesShowTheirNumberMarked) {
    struct Row {
        const char* name;
        std::function<void(ArpeggiatorParams&)> store;
        const char* control;
        const wchar_t* text;
        double value;  // -1: not checked
    };
    const Row rows[] = {
        {"rateUnits 5: the box shows 0", [](ArpeggiatorParams& p) { p.rateUnits = 5; }, "rateBox",
         L"0", 0.5},
        {"rateUnits 5: the slider sits in its middle",
         [](ArpeggiatorParams& p) { p.rateUnits = 5; }, "rateSlider", nullptr, 0.5},
        {"rateUnits 5: the units", [](ArpeggiatorParams& p) { p.rateUnits = 5; }, "unitsDropDown",
         L"5?", -1},
        {"noteValue 12",
         [](ArpeggiatorParams& p) {
             p.rateUnits = kRateNotes;
             p.noteValue = 12;
         },
         "rateBox", L"12?", 1.0},
        {"pathDirection -1", [](ArpeggiatorParams& p) { p.pathDirection = -1; }, "pathDropDown",
         L"-1?", -1},
        {"arpBottom 130", [](ArpeggiatorParams& p) { p.arpBottom = 130; }, "outputLowBox",
         L"130 (?)", 1.0},
        {"a span past INT32_MAX saturates",
         [](ArpeggiatorParams& p) { p.leftHandSpan = INT32_MAX; }, "chordHighBox",
         L"2147483647 (?)", 1.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PageHarness h;
        row.store(h.filter.Params());
        ASSERT_TRUE(h.Open());
        if (row.text != nullptr) {
            EXPECT_EQ(h[row.control]->GetValueText(), row.text);
        }
        if (row.value >= 0) {
            EXPECT_DOUBLE_EQ(h[row.control]->GetValue(), row.value);
        }
    }
}
