// The page's 19 controls as the constructor makes them, and the conversions and names the page
// shows their values with. Where LayoutControls places them the golden pictures show.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "editor/PageTexts.h"
#include "editor/PageValueMapping.h"
#include "resources/ResourceIds.h"
#include "support/PageHarness.h"

// Member order is the site's order (drawing, hit tests, tab order) and the order of the ids.
TEST(PageControls, MadeInMemberOrderWithThePagesStyleAndSetUp) {
    PageHarness h;
    const std::vector<PropPageProbe::Named> named = h.probe.Controls();
    ASSERT_EQ(h.view.GetControls().size(), 19u);
    for (size_t i = 0; i < named.size(); ++i) {
        SCOPED_TRACE(named[i].name);
        CNWControl* control = named[i].control;
        EXPECT_EQ(h.view.GetControls()[i], control);
        EXPECT_EQ(h.view.GetTabControls()[i], control);
        EXPECT_EQ(control->GetId(), static_cast<int32_t>(10 + i));
        // What the golden pictures cannot show: the hover frame on, no tip while dragging.
        EXPECT_EQ(control->GetStyle().GetOption(NWControlStyle::kHoverFrame), 1u);
        EXPECT_EQ(control->GetStyle().GetOption(NWControlStyle::kTrackingTip), 0u);
    }
    EXPECT_EQ(h.view.GetSiteName(), L"ARPEGGIATORPROPPAGE");
    EXPECT_EQ(h["enableButton"]->GetName(), L"Enable");
    EXPECT_EQ(dynamic_cast<CNWSliderCtrl*>(h["swingSlider"])->GetOrigin(), 0.5)
        << "swing's bar grows from its middle";
}

TEST(PageValueMapping, FromUnitRoundsToTheNearestAndClamps) {
    struct Back {
        const char* name;
        double x;
        int32_t min, max, n;
    };
    const Back fromUnit[] = {
        {"middle of legato", 0.5, 10, 99, 55},
        {"middle of the rate", 0.5, 1, 500, 251},
        {"middle of the note values", 0.5, 0, 10, 5},
        {"0.44 of the note values, to the nearest", 0.44, 0, 10, 4},
        {"0.46 of the note values, to the nearest", 0.46, 0, 10, 5},
        {"below 0", -0.2, 0, 127, 0},
        {"above 1", 1.7, 0, 127, 127},
        {"NaN", std::nan(""), 10, 99, 10},
    };
    for (const Back& row : fromUnit) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(pagevalues::FromUnit(row.x, row.min, row.max), row.n);
    }
    for (int32_t key = 0; key <= 127; ++key) {
        EXPECT_EQ(pagevalues::FromUnit(pagevalues::ToUnit(key, 0, 127), 0, 127), key);
    }
}

// Numbers past a name table: PageValues' stored values.
TEST(PageTexts, KeysAreNamedByPitchClassAndOctaveAndOptionsByTheStringTable) {
    struct Row {
        const char* name;
        std::wstring text, expected;
    };
    const Row rows[] = {
        {"key 0", pagetext::PitchName(0), L"C0"},
        {"key 61", pagetext::PitchName(61), L"C#5"},
        {"key 60", pagetext::PitchName(60), L"C5"},
        {"key 127", pagetext::PitchName(127), L"G10"},
        {"key -1 (stored settings only)", pagetext::PitchName(-1), L"?"},
        {"key 128", pagetext::PitchName(128), L"?"},
        {"box text", pagetext::KeyText(36), L"36 (C3)"},
        {"path 2", pagetext::Option(IDS_PATH_FIRST, 4, 2), L"Up, Up"},
        {"note value 10", pagetext::Option(IDS_NOTE_VALUE_FIRST, 11, 10), L"Whole"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.text, row.expected);
    }
}
