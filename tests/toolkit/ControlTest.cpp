// A control's value and what its owner hears of it (SetValue, the change brackets, actions, the
// wheel, keys) and its tooltip text. (A double-click with the page's flags is SiteRouting's.) The
// host has no window here, as the page before its window exists. (The style's fields the page never
// sets are not tested; those it sets show in the golden pictures and PageControls, which also holds
// the ids from 10 of each new site.)
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/TestHost.h"

namespace {

const char* const kNotified = "begin 10, value 10, text 10, end 10, state 10";
const char* const kBracketOnly = "begin 10, end 10, state 10";

struct Fixture {
    TestHost host{false};
    TestControl* control = host.Add({0, 0, 40, 20});

    // The control at `start` within [minimum, maximum], set without notification; no log.
    explicit Fixture(double start = 0.2, double minimum = 0, double maximum = 1) {
        control->SetRange(minimum, maximum);
        control->SetValue(start, 0, 1);
        host.TakeLog();
    }
};

}  // namespace

// A short name is the name abbreviated to the style's limit, unless a control is told not to.
TEST(ControlNames, TheShortNameIsAbbreviatedUnlessTurnedOff) {
    Fixture f;
    f.control->SetName(L"Output Velocity Range");
    EXPECT_EQ(f.control->GetShortName(), L"OtptVlct");
    f.control->SetAbbreviateName(false);
    EXPECT_EQ(f.control->GetShortName(), L"Output Velocity Range");
}

TEST(ControlSetValue, NotifiesOnlyRealChangesAndBracketsEveryNotifiedCall) {
    // Start, requested, notify, notifyAlways, enabled, then the result, the value and the log.
    using Case = std::tuple<double, double, int, bool, bool, int, double, const char*>;
    const Case cases[] = {
        {0.2, 0.6, 1, false, true, 1, 0.6, kNotified},
        {0.6, 0.6, 1, false, true, 1, 0.6, kBracketOnly},  // unchanged
        {0.2, 1.7, 1, false, true, 1, 1.0, kNotified},     // clamped to max
        {1.0, 3.0, 1, false, true, 1, 1.0, kBracketOnly},  // clamped, so unchanged
        {0.2, -2.0, 0, false, true, 1, 0.0, "text 10"},    // silent, clamped to min
        {0.2, 0.5, 0, true, true, 1, 0.5, "value 10, text 10"},
        {0.2, 0.5, 1, true, true, 1, 0.5, kNotified},    // notified once only
        {0.2, 0.5, 1, false, false, 0, 0.2, ""},         // disabled: refused
        {0.2, 0.5, 0, false, false, 1, 0.5, "text 10"},  // disabled, silent: taken
        {0.4, 0.4, 0, false, true, 1, 0.4, ""},
    };
    for (const auto& [start, requested, notify, always, enabled, result, value, log] : cases) {
        Fixture f(start);
        f.control->SetNotifyAlways(always);
        f.control->SetEnabled(enabled);
        EXPECT_EQ(f.control->SetValue(requested, notify, 1), result) << start << "->" << requested;
        EXPECT_DOUBLE_EQ(f.control->GetValue(), value) << start << "->" << requested;
        EXPECT_EQ(f.host.TakeLog(), log) << start << "->" << requested;
    }
}

TEST(ControlSetValue, TheRequestedValueIsClampedAndQuantisedAfterwards) {
    using Case = std::tuple<int32_t, double, double, double>;  // steps, requested, kept, value
    const Case cases[] = {
        {0, 0.63, 0.63, 0.63}, {4, 0.63, 0.63, 0.5},  {4, 0.99, 0.99, 0.75},
        {4, 1.5, 1.0, 1.0},    {10, 0.05, 0.05, 0.0},
    };
    for (const auto& [steps, requested, kept, value] : cases) {
        Fixture f(0.3);
        f.control->SetQuantSteps(steps);
        f.control->SetValue(requested, 0, 1);
        EXPECT_DOUBLE_EQ(f.control->GetRequestedValue(), kept) << requested;
        EXPECT_DOUBLE_EQ(f.control->GetValue(), value) << requested;
    }
}

// b, e: BeginChange, EndChange; v: a notified change; t: the value text emptied; s: the same
// value set silently, which asks for its text only while the text is empty.
TEST(ControlChangeBracket, OneBeginAndOneEndPerNesting) {
    using Case = std::tuple<const char*, bool, const char*, uint32_t>;  // enabled, log, depth
    const Case cases[] = {
        {"bbee", true, kBracketOnly, 0}, {"e", true, "", 0},   {"bee", true, kBracketOnly, 0},
        {"bbe", true, "begin 10", 1},    {"be", false, "", 0}, {"bve", true, kNotified, 0},
        {"tss", true, "text 10", 0},
    };
    for (const auto& [ops, enabled, log, depth] : cases) {
        Fixture f;
        f.control->SetEnabled(enabled);
        for (char op : std::string(ops)) {
            if (op == 'b') f.control->BeginChange();
            if (op == 'e') f.control->EndChange();
            if (op == 'v') f.control->SetValue(0.7, 1, 1);
            if (op == 't') f.control->SetValueText(L"");
            if (op == 's') f.control->SetValue(0.2, 0, 1);
        }
        EXPECT_EQ(f.host.TakeLog(), log) << ops;
        EXPECT_EQ(f.control->GetChangeDepth(), depth) << ops;
    }
}

TEST(ControlDoAction, SetsEndsAndStepsWithinTheRangeAndOffersAMenu) {
    // Within 10..3820 a line step (1/127 of the range) is 30 and a page step (1/30) is 127.
    using Case = std::tuple<double, int, double>;  // start, action, value
    const Case cases[] = {
        {1000, 1, 10},   {1000, 2, 3820}, {1000, 3, 970},  {1000, 4, 1030}, {1000, 5, 873},
        {1000, 6, 1127}, {20, 3, 10},     {3800, 4, 3820}, {100, 5, 10},    {3750, 6, 3820},
    };
    for (const auto& [start, action, value] : cases) {
        Fixture f(start, 10, 3820);
        EXPECT_EQ(f.control->DoAction(action), 1) << action;
        EXPECT_DOUBLE_EQ(f.control->GetValue(), value) << action << " from " << start;
    }
    Fixture f(0.5);
    for (int action : {-1, 0, 7, 9, 12, 13}) EXPECT_EQ(f.control->DoAction(action), 0) << action;
    f.control->DoAction(4);
    EXPECT_EQ(f.host.TakeLog(), kNotified);
    EXPECT_EQ(f.control->DoAction(8), 1);
    EXPECT_EQ(f.host.TakeLog(), "menu 10 flags 0 items 0");
    EXPECT_FALSE(IsMenu(f.host.lastMenu)) << "the control destroys the menu afterwards";
    f.control->SetEnabled(false);
    EXPECT_EQ(f.control->DoAction(2), 0);
    EXPECT_EQ(f.control->DoAction(8), 0);
}

// Right and Up step up a line, Left and Down down, Page Up and Page Down by a page, Home and
// End go to the ends (the steps of the DoAction table above, from 1000 within 10..3820).
TEST(ControlKeys, EachKeyIsAnAction) {
    using Case = std::tuple<UINT, int, double>;  // key, used, value
    const Case cases[] = {
        {VK_RIGHT, 1, 1030}, {VK_UP, 1, 1030},    {VK_LEFT, 1, 970},
        {VK_DOWN, 1, 970},   {VK_PRIOR, 1, 1127}, {VK_NEXT, 1, 873},
        {VK_HOME, 1, 10},    {VK_END, 1, 3820},   {'A', 0, 1000},
    };
    for (const auto& [key, used, value] : cases) {
        Fixture f(1000, 10, 3820);
        EXPECT_EQ(f.control->OnKeyDown(key, 0), used) << key;
        EXPECT_DOUBLE_EQ(f.control->GetValue(), value) << key;
    }
}

TEST(ControlMouseWheel, MovesByAStepPerNotchAndNeverLeavesTheRange) {
    // Wheel mode, enabled, keys, delta, maximum, start, value (a result of 0 leaves the start).
    using Case = std::tuple<uint32_t, bool, UINT, int, double, double, double>;
    const Case cases[] = {
        {0, true, 0, 120, 1, 0.5, 0.5},             // the wheel is ignored
        {1, false, 0, 120, 1, 0.5, 0.5},            // disabled
        {1, true, 0, 120, 1, 0.5, 0.55},            // a notch up
        {1, true, 0, -120, 1, 0.5, 0.45},           // a notch down
        {1, true, 0, 240, 1, 0.5, 0.6},             // two notches
        {1, true, 0, 119, 1, 0.5, 0.5},             // partial notches count as none
        {1, true, 0, -239, 1, 0.5, 0.45},           // and down
        {1, true, MK_SHIFT, 120, 1, 0.5, 0.50295},  // fine with shift
        {1, true, 0, 120, 1, 0.98, 1.0},            // stops at max
        {1, true, 0, -360, 1, 0.02, 0.0},           // stops at min
        {1, true, 0, 120, 10, 5.0, 5.005},          // the step is divided by the range
    };
    for (const auto& [mode, enabled, keys, delta, maximum, start, value] : cases) {
        Fixture f(start, 0, maximum);
        f.control->SetWheelMode(mode);
        f.control->SetEnabled(enabled);
        EXPECT_EQ(f.control->OnMouseWheel(keys, delta), mode != 0 && enabled ? 1 : 0) << delta;
        EXPECT_NEAR(f.control->GetValue(), value, 1e-12) << delta;
    }
}

// "Name = value" itself is SiteTooltips'; an empty name or value leaves the separator out.
TEST(ControlNames, TooltipTextLeavesTheSeparatorOutWithoutANameOrAValue) {
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"", L"120", L"120"},
        {L"Rate", L"", L"Rate"},
    };
    for (const auto& [name, valueText, expected] : cases) {
        Fixture f;
        f.control->SetName(name);
        f.control->SetValueText(valueText);
        std::wstring text = L"sentinel";
        f.control->GetTooltipText(text);
        EXPECT_EQ(text, expected);
    }
}
