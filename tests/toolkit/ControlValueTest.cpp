// Values and what the owner hears of them: SetValue, the change brackets, actions, the wheel,
// press and double-click. The host here has no window, as the page before its window exists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/NWControl.h"
#include "support/TestHost.h"

namespace {

using Log = std::vector<std::string>;

struct Fixture {
    TestHost host{false};
    TestControl* control = host.Add({0, 0, 40, 20}, RGB(0, 0, 255));

    // Puts the control at `start` without notification and clears the log.
    void Start(double start) {
        control->SetValue(start, 0, 1);
        host.TakeLog();
    }
};

}  // namespace

TEST(ControlSetValue, NotifiesOnlyRealChangesAndBracketsEveryNotifiedCall) {
    struct Case {
        const char* name;
        double start;
        double requested;
        int notify;
        bool notifyAlways;
        bool enabled;
        int result;
        double value;
        Log log;
    };
    const Log bracketOnly = {"begin 10", "end 10", "state 10"};
    const Log notified = {"begin 10", "value 10", "text 10", "end 10", "state 10"};
    const std::vector<Case> cases = {
        {"notified change", 0.2, 0.6, 1, false, true, 1, 0.6, notified},
        {"unchanged value, notified", 0.6, 0.6, 1, false, true, 1, 0.6, bracketOnly},
        {"above max stores max", 0.2, 1.7, 1, false, true, 1, 1.0, notified},
        {"second call above max", 1.0, 3.0, 1, false, true, 1, 1.0, bracketOnly},
        {"below min stores min", 0.2, -2.0, 0, false, true, 1, 0.0, {"text 10"}},
        {"silent change asks for text", 0.2, 0.5, 0, false, true, 1, 0.5, {"text 10"}},
        {"silent change, notifyAlways", 0.2, 0.5, 0, true, true, 1, 0.5, {"value 10", "text 10"}},
        {"notified change, notifyAlways", 0.2, 0.5, 1, true, true, 1, 0.5, notified},
        {"disabled refuses notified", 0.2, 0.5, 1, false, false, 0, 0.2, {}},
        {"disabled takes silent", 0.2, 0.5, 0, false, false, 1, 0.5, {"text 10"}},
        {"unchanged silent", 0.4, 0.4, 0, false, true, 1, 0.4, {}},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.Start(c.start);
        f.control->SetNotifyAlways(c.notifyAlways);
        f.control->SetEnabled(c.enabled);
        EXPECT_EQ(f.control->SetValue(c.requested, c.notify, 1), c.result) << c.name;
        EXPECT_DOUBLE_EQ(f.control->GetValue(), c.value) << c.name;
        EXPECT_EQ(f.host.TakeLog(), c.log) << c.name;
        EXPECT_EQ(f.control->GetChangeDepth(), 0u) << c.name;
    }
}

TEST(ControlSetValue, AnUnchangedValueAsksForItsTextOnlyWhileTheTextIsEmpty) {
    Fixture f;
    f.Start(0.3);
    f.control->SetValueText(L"");
    f.control->SetValue(0.3, 0, 1);
    EXPECT_EQ(f.host.TakeLog(), Log{"text 10"});
    EXPECT_EQ(f.control->GetValueText(), L"30%");
    f.control->SetValue(0.3, 0, 1);
    EXPECT_EQ(f.host.TakeLog(), Log{});
}

TEST(ControlSetValue, RequestedValueIsClampedAndQuantisationAppliesAfterIt) {
    struct Case {
        int32_t steps;
        double requested;
        double requestedAfter;
        double value;
    };
    const Case cases[] = {
        {0, 0.63, 0.63, 0.63}, {4, 0.63, 0.63, 0.5},  {4, 0.99, 0.99, 0.75},
        {4, 1.5, 1.0, 1.0},    {10, 0.05, 0.05, 0.0},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.Start(0.3);
        f.control->SetQuantSteps(c.steps);
        f.control->SetValue(c.requested, 0, 1);
        EXPECT_DOUBLE_EQ(f.control->GetRequestedValue(), c.requestedAfter) << c.requested;
        EXPECT_DOUBLE_EQ(f.control->GetValue(), c.value) << c.requested;
    }
}

TEST(ControlSetValue, InsideAnOpenBracketNoFurtherBracketIsOpened) {
    Fixture f;
    f.Start(0.2);
    f.control->BeginChange();
    f.control->SetValue(0.7, 1, 1);
    f.control->EndChange();
    EXPECT_EQ(f.host.TakeLog(), (Log{"begin 10", "value 10", "text 10", "end 10", "state 10"}));
}

TEST(ControlChangeBracket, OneBeginAndOneEndPerNesting) {
    enum Op { kBegin, kEnd };
    struct Case {
        const char* name;
        std::vector<Op> ops;
        bool enabled;
        Log log;
        uint32_t depth;
    };
    const std::vector<Case> cases = {
        {"nested twice", {kBegin, kBegin, kEnd, kEnd}, true, {"begin 10", "end 10", "state 10"}, 0},
        {"end without begin", {kEnd}, true, {}, 0},
        {"extra end", {kBegin, kEnd, kEnd}, true, {"begin 10", "end 10", "state 10"}, 0},
        {"still open", {kBegin, kBegin, kEnd}, true, {"begin 10"}, 1},
        {"disabled", {kBegin, kEnd}, false, {}, 0},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.control->SetEnabled(c.enabled);
        f.host.TakeLog();
        for (Op op : c.ops) {
            EXPECT_EQ(op == kBegin ? f.control->BeginChange() : f.control->EndChange(), 1);
        }
        EXPECT_EQ(f.host.TakeLog(), c.log) << c.name;
        EXPECT_EQ(f.control->GetChangeDepth(), c.depth) << c.name;
    }
}

TEST(ControlDoAction, SetsEndsAndStepsWithinTheRange) {
    struct Case {
        double minimum;
        double maximum;
        double start;
        int action;
        bool enabled;
        int result;
        double value;
    };
    const Case cases[] = {
        {0, 1, 0.3, 1, true, 1, 0.0},
        {0, 1, 0.3, 2, true, 1, 1.0},
        {0, 1, 0.0, 3, true, 1, 0.0},  // at min stays at min
        {0, 1, 0.5, 3, true, 1, 0.5 - 1.0 / 127},
        {0, 1, 0.5, 4, true, 1, 0.5 + 1.0 / 127},
        {0, 1, 1.0, 4, true, 1, 1.0},
        {0, 1, 0.5, 5, true, 1, 0.5 - 1.0 / 30},
        {0, 1, 0.01, 5, true, 1, 0.0},
        {0, 1, 0.5, 6, true, 1, 0.5 + 1.0 / 30},
        {0, 1, 0.99, 6, true, 1, 1.0},
        {10, 20, 15, 3, true, 1, 15 - 10.0 / 127},
        {10, 20, 15, 6, true, 1, 15 + 10.0 / 30},
        {0, 1, 0.3, 7, true, 0, 0.3},
        {0, 1, 0.3, 9, true, 0, 0.3},
        {0, 1, 0.3, 12, true, 0, 0.3},
        {0, 1, 0.3, 0, true, 0, 0.3},
        {0, 1, 0.3, 13, true, 0, 0.3},
        {0, 1, 0.3, -1, true, 0, 0.3},
        {0, 1, 0.3, 2, false, 0, 0.3},
        {0, 1, 0.3, 8, false, 0, 0.3},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.control->SetRange(c.minimum, c.maximum);
        f.Start(c.start);
        f.control->SetEnabled(c.enabled);
        EXPECT_EQ(f.control->DoAction(c.action), c.result) << "action " << c.action;
        EXPECT_DOUBLE_EQ(f.control->GetValue(), c.value) << "action " << c.action;
    }
}

TEST(ControlDoAction, StepsNotifyTheOwnerAndTheMenuActionOffersAnEmptyMenuOnce) {
    Fixture f;
    f.Start(0.5);
    f.control->DoAction(4);
    EXPECT_EQ(f.host.TakeLog(), (Log{"begin 10", "value 10", "text 10", "end 10", "state 10"}));
    EXPECT_EQ(f.control->DoAction(8), 1);
    EXPECT_EQ(f.host.TakeLog(), Log{"menu 10 flags 0 items 0"});
    EXPECT_FALSE(IsMenu(f.host.lastMenu)) << "the control destroys the menu afterwards";
}

TEST(ControlMouseWheel, MovesByAStepPerNotchAndNeverLeavesTheRange) {
    struct Case {
        const char* name;
        uint32_t mode;
        UINT keys;
        int delta;
        double maximum;
        double start;
        int result;
        double value;
    };
    const Case cases[] = {
        {"wheel ignored", 0, 0, 120, 1, 0.5, 0, 0.5},
        {"notch up", 1, 0, 120, 1, 0.5, 1, 0.55},
        {"notch down", 1, 0, -120, 1, 0.5, 1, 0.45},
        {"two notches", 1, 0, 240, 1, 0.5, 1, 0.6},
        {"partial notch", 1, 0, 119, 1, 0.5, 1, 0.5},
        {"partial notch down", 1, 0, -239, 1, 0.5, 1, 0.45},
        {"fine with shift", 1, MK_SHIFT, 120, 1, 0.5, 1, 0.50295},
        {"stops at max", 1, 0, 120, 1, 0.98, 1, 1.0},
        {"stops at min", 1, 0, -360, 1, 0.02, 1, 0.0},
        {"step divided by the range", 1, 0, 120, 10, 5.0, 1, 5.005},
    };
    const Case disabled = {"disabled", 1, 0, 120, 1, 0.5, 0, 0.5};
    for (const Case& c : cases) {
        Fixture f;
        f.control->SetRange(0, c.maximum);
        f.Start(c.start);
        f.control->SetWheelMode(c.mode);
        EXPECT_EQ(f.control->OnMouseWheel(c.keys, c.delta), c.result) << c.name;
        EXPECT_NEAR(f.control->GetValue(), c.value, 1e-12) << c.name;
    }
    Fixture f;
    f.Start(disabled.start);
    f.control->SetWheelMode(disabled.mode);
    f.control->SetEnabled(false);
    EXPECT_EQ(f.control->OnMouseWheel(disabled.keys, disabled.delta), disabled.result);
    EXPECT_DOUBLE_EQ(f.control->GetValue(), disabled.value);
}

TEST(ControlPress, PressResendsTheValueAndReleaseClosesTheBracket) {
    Fixture f;
    f.Start(0.2);
    f.control->OnLButtonDown(MK_LBUTTON, {5, 6});
    EXPECT_EQ(f.host.TakeLog(), (Log{"down 10", "begin 10"}));
    EXPECT_EQ(f.control->GetMouseState(), 1u);
    EXPECT_EQ(f.control->GetPressPoint().x, 5);
    EXPECT_EQ(f.control->GetLastPoint().y, 6);
    f.control->OnLButtonUp(0, {7, 8});
    EXPECT_EQ(f.host.TakeLog(), (Log{"up 10", "end 10", "state 10"}));
    EXPECT_EQ(f.control->GetMouseState(), 0u);
}

TEST(ControlPress, DoubleClickRestoresTheDefaultAsTheStyleAndFlagsSay) {
    struct Case {
        const char* name;
        bool resendOnPress;
        bool noNotifyOnDoubleClick;
        double value;
        Log log;
    };
    const std::vector<Case> cases = {
        {"defaults", true, true, 0.5, {"dblclk 10", "begin 10", "value 10", "text 10"}},
        {"double-click notifies",
         true,
         false,
         0.5,
         {"dblclk 10", "begin 10", "value 10", "value 10", "text 10"}},
        {"no resend", false, true, 0.2, {"dblclk 10", "begin 10"}},
    };
    for (const Case& c : cases) {
        Fixture f;
        NWControlStyle style = NWControlStyle::Defaults();
        style.fieldMask = 1u << 16;  // only the resend-on-press field
        style.SetOption(NWControlStyle::kResendOnPress, c.resendOnPress ? 1 : 0);
        f.control->SetStyle(style);
        f.control->SetNoNotifyOnDoubleClick(c.noNotifyOnDoubleClick);
        f.Start(0.2);
        f.control->OnLButtonDblClk(MK_LBUTTON, {1, 1});
        EXPECT_EQ(f.host.TakeLog(), c.log) << c.name;
        EXPECT_DOUBLE_EQ(f.control->GetValue(), c.value) << c.name;
        EXPECT_TRUE(f.control->IsPressed()) << c.name;
    }
}

TEST(ControlPress, CancelTrackingEndsAPressOnce) {
    Fixture f;
    f.Start(0.2);
    f.control->OnLButtonDown(0, {1, 1});
    f.host.TakeLog();
    f.control->CancelTracking();
    f.control->CancelTracking();
    EXPECT_EQ(f.host.TakeLog(), (Log{"end 10", "state 10"}));
    EXPECT_FALSE(f.control->IsPressed());
}

TEST(ControlIds, EachSiteCountsFromTen) {
    TestHost first(false);
    TestHost second(false);
    EXPECT_EQ(first.Add({}, 0)->GetId(), 10);
    EXPECT_EQ(first.Add({}, 0)->GetId(), 11);
    EXPECT_EQ(second.Add({}, 0)->GetId(), 10);
    EXPECT_EQ(first.Add({}, 0)->GetId(), 12);
    EXPECT_TRUE(first.ControlFromId(11)->IsId(11));
    EXPECT_EQ(first.ControlFromId(99), nullptr);
}

TEST(ControlNames, SetNameRebuildsTheShortNameAndTellsAFocusedControlsOwner) {
    Fixture f;
    f.host.TakeLog();
    f.control->SetName(L"Velocity Sensitivity");
    EXPECT_EQ(f.control->GetName(), L"Velocity Sensitivity");
    EXPECT_EQ(f.control->GetShortName(), L"VlctySns");
    EXPECT_EQ(f.host.TakeLog(), Log{});
    f.control->SetAbbreviateName(false);
    EXPECT_EQ(f.control->GetShortName(), L"Velocity Sensitivity");
    f.control->SetFocusState(true, false);
    f.host.TakeLog();
    f.control->SetName(L"Rate");
    f.control->SetName(L"Rate");
    EXPECT_EQ(f.host.TakeLog(), Log{"state 10"});
}

TEST(ControlNames, TooltipTextJoinsNameAndValueWithTheSeparator) {
    struct Case {
        const wchar_t* name;
        const wchar_t* valueText;
        const wchar_t* separator;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"Rate", L"120", nullptr, L"Rate = 120"},
        {L"Rate", L"120", L": ", L"Rate: 120"},
        {L"", L"120", nullptr, L"120"},
        {L"Rate", L"", nullptr, L"Rate"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.control->SetName(c.name);
        f.control->SetValueText(c.valueText);
        if (c.separator) {
            f.control->SetSeparator(c.separator);
        }
        std::wstring text = L"sentinel";
        f.control->GetTooltipText(text);
        EXPECT_EQ(text, c.text);
    }
}
