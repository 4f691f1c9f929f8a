// What the controls show of the parameter block: the rate's two faces, and the
// stored values outside the name tables, which only old or foreign settings can hold.
#include <gtest/gtest.h>

#include <string>

#include "support/PageFields.h"

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

TEST(PageValues, TheRateShowsNoteValuesInNotesModeAndNumbersOtherwise) {
    const wchar_t* const names[] = {L"1/32", L"1/32 T", L"1/16", L"1/16 T", L"1/8",  L"1/8 T",
                                    L"1/4",  L"1/4 T",  L"1/2",  L"1/2 T",  L"Whole"};
    PageHarness h;
    ASSERT_TRUE(h.Open());
    h.filter.Params().rateUnits = kRateNotes;
    for (int32_t note = 0; note <= 10; ++note) {
        SCOPED_TRACE("noteValue " + std::to_string(note));
        h.filter.Params().noteValue = note;
        h.view.RefreshAllControls();
        EXPECT_EQ(h["rateBox"]->GetValueText(), names[note]);
    }
    h.filter.Params().rateUnits = kRateTicks;
    h.filter.Params().rateAmount = 480;
    h.view.RefreshAllControls();
    ExpectTexts(h, {{"rateBox", L"480"}, {"unitsDropDown", L"MIDI Ticks"}});
}

// Stored settings may hold any number; the page never reads past a name table and shows the
// number itself, marked "?".
TEST(PageValues, StoredValuesOutsideTheNameTablesShowTheirNumberMarked) {
    struct Row {
        const char* name;
        Fields stored;
        const char* control;
        const wchar_t* text;  // null: not checked
        double value;         // -1: not checked
    };
    // clang-format off
    const Row rows[] = {
        {"rateUnits 5: the box shows 0", {{"rateUnits", 5}}, "rateBox", L"0", 0.5},
        {"rateUnits 5: the slider sits in its middle", {{"rateUnits", 5}}, "rateSlider", nullptr, 0.5},
        {"rateUnits 5: the units", {{"rateUnits", 5}}, "unitsDropDown", L"5?", -1},
        {"noteValue 12", {{"rateUnits", 0}, {"noteValue", 12}}, "rateBox", L"12?", 1.0},
        {"pathDirection -1", {{"pathDirection", -1}}, "pathDropDown", L"-1?", -1},
        {"arpBottom 130", {{"arpBottom", 130}}, "outputLowBox", L"130 (?)", 1.0},
        {"a span past INT32_MAX saturates", {{"leftHandSpan", INT32_MAX}}, "chordHighBox", L"2147483647 (?)", 1.0},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PageHarness h;
        SetFields(h.filter.Params(), row.stored);
        ASSERT_TRUE(h.Open());
        if (row.text != nullptr) {
            EXPECT_EQ(h[row.control]->GetValueText(), row.text);
        }
        if (row.value >= 0) {
            EXPECT_DOUBLE_EQ(h[row.control]->GetValue(), row.value);
        }
    }
}
