// A control's value and what its owner hears of it (SetValue, the change brackets, actions, the
// wheel, double-click), its names, its style record and the drawing objects every control
// shares. The host has no window here, as the page before its window exists.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "controls/AbbreviateName.h"
#include "controls/NWSharedDrawing.h"
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

TEST(ControlDoubleClick, RestoresTheDefaultValueAsTheStyleAndFlagsSay) {
    using Case = std::tuple<bool, bool, double, const char*>;  // resend on press, no notify
    const Case cases[] = {
        {true, true, 0.5, "begin 10, value 10, text 10"},
        {true, false, 0.5, "begin 10, value 10, value 10, text 10"},
        {false, true, 0.2, "begin 10"},
    };
    for (const auto& [resendOnPress, noNotify, value, log] : cases) {
        Fixture f;
        NWControlStyle style = NWControlStyle::Defaults();
        style.fieldMask = 1u << 16;  // only the resend-on-press field
        style.SetOption(NWControlStyle::kResendOnPress, resendOnPress ? 1 : 0);
        f.control->SetStyle(style);
        f.control->SetNoNotifyOnDoubleClick(noNotify);
        f.control->OnLButtonDblClk(0, {1, 1});
        EXPECT_EQ(f.host.TakeLog(), log);
        EXPECT_DOUBLE_EQ(f.control->GetValue(), value);
        EXPECT_TRUE(f.control->IsPressed());
    }
}

TEST(ControlIds, EachSiteCountsFromTenAndEachControlHasItsOwnStyle) {
    TestHost first(false);
    TestHost second(false);
    TestControl* tenth = first.Add({});
    TestControl* eleventh = first.Add({});
    EXPECT_EQ(first.TakeLog(), "changed, added 10, changed, added 11") << "the site hears first";
    EXPECT_EQ(eleventh->GetId(), 11);
    EXPECT_EQ(second.Add({})->GetId(), 10);
    EXPECT_EQ(first.Add({})->GetId(), 12);
    EXPECT_EQ(first.ControlFromId(11), eleventh);
    EXPECT_EQ(first.ControlFromId(99), nullptr);
    tenth->SetWheelMode(1);
    EXPECT_EQ(eleventh->GetWheelMode(), 0u);
}

TEST(ControlNames, ShortNamesFollowTheStyleAndAFocusedControlTellsItsOwner) {
    Fixture f;
    f.control->SetName(L"Velocity Sensitivity");
    EXPECT_EQ(f.control->GetShortName(), L"VlctySns");
    NWControlStyle style = NWControlStyle::Defaults();
    style.SetMaxNameChars(12);
    style.fieldMask = NWControlStyle::kMaxNameCharsField;
    f.control->SetStyle(style);
    EXPECT_EQ(f.control->GetShortName(), L"VlctySnstvty");
    f.control->SetAbbreviateName(false);
    EXPECT_EQ(f.control->GetShortName(), L"Velocity Sensitivity");
    EXPECT_EQ(f.host.TakeLog(), "");
    f.control->SetFocusState(true, false);
    f.host.TakeLog();
    f.control->SetName(L"Rate");
    f.control->SetName(L"Rate");
    EXPECT_EQ(f.host.TakeLog(), "state 10");
}

TEST(ControlNames, AbbreviationDropsBlanksThenInnerVowelsThenCuts) {
    using Case = std::tuple<const wchar_t*, int, const wchar_t*>;
    const Case cases[] = {
        {L"Rate", 8, L"Rate"},
        {L"Legato", 6, L"Legato"},
        {L"Play Through", 8, L"PlyThrgh"},
        {L"Play Through", 11, L"PlayThrough"},
        {L"AEIOU aeiou", 6, L"AEIOUa"},
        {L"Anything", 0, L"Anything"},
        {L"Anything", -3, L"Anything"},
        {L"Play all", 5, L"Plyal"},
    };
    for (const auto& [name, limit, shortName] : cases) {
        EXPECT_EQ(AbbreviateName(name, limit), shortName) << limit;
    }
}

TEST(ControlNames, TooltipTextJoinsNameAndValueWithTheSeparator) {
    using Case = std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*>;
    const Case cases[] = {
        {L"Rate", L"120", nullptr, L"Rate = 120"},
        {L"Rate", L"120", L": ", L"Rate: 120"},
        {L"", L"120", nullptr, L"120"},
        {L"Rate", L"", nullptr, L"Rate"},
    };
    for (const auto& [name, valueText, separator, expected] : cases) {
        Fixture f;
        f.control->SetName(name);
        f.control->SetValueText(valueText);
        if (separator) f.control->SetSeparator(separator);
        std::wstring text = L"sentinel";
        f.control->GetTooltipText(text);
        EXPECT_EQ(text, expected);
    }
}

TEST(ControlStyle, DefaultsTakeTheSystemColoursAndSelectEveryField) {
    const NWControlStyle style = NWControlStyle::Defaults();
    const int system[7] = {COLOR_BTNFACE, COLOR_BTNFACE,  COLOR_BTNFACE,     COLOR_BTNTEXT,
                           COLOR_BTNTEXT, COLOR_GRAYTEXT, COLOR_BTNHIGHLIGHT};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(style.colors[i], GetSysColor(system[i])) << i;
    EXPECT_EQ(style.options & 0xFFFFF, 0x1110u) << "hover frame, tracking tip, resend on press";
    EXPECT_EQ(style.fieldMask, 0xFFFFFFFFu);
}

TEST(ControlStyle, TwelveBitFieldsAreSigned) {
    using Case = std::tuple<int, int, int>;  // set, read back, the wide name limit
    const Case cases[] = {
        {-5, -5, -7}, {2047, 2047, 3070}, {2048, -2048, -3072}, {4095, -1, -1}, {9, 9, 13},
    };
    for (const auto& [set, read, wide] : cases) {
        NWControlStyle style = NWControlStyle::Defaults();
        style.SetTextIndent(set);
        style.SetMaxNameChars(set);
        EXPECT_EQ(style.GetTextIndent(), read) << set;
        EXPECT_EQ(style.maxNameChars, read) << set;
        EXPECT_EQ(style.maxNameCharsWide, wide) << set;
    }
}

namespace {

// Every field that SetStyle copies; kMaskBits holds the field-mask bit that selects each.
std::vector<int64_t> MaskedFields(const NWControlStyle& s) {
    using S = NWControlStyle;
    std::vector<int64_t> fields(std::begin(s.colors), std::end(s.colors));
    for (S::Option option :
         {S::kShowName, S::kShowValue, S::kHoverFrame, S::kFocusFrame, S::kTrackingTip,
          S::kBoldText, S::kNoBackground, S::kResendOnPress, S::kOption16, S::kWheelMode}) {
        fields.push_back(s.GetOption(option));
    }
    fields.insert(fields.end(), {s.textAlign, s.textIndent, s.maxNameChars, s.maxNameCharsWide});
    return fields;
}
const unsigned kMaskBits[] = {0,  1,  2,  3,  4,  5,  18, 6,  7,  8, 9,
                              10, 11, 14, 16, 17, 19, 12, 13, 15, 15};

}  // namespace

TEST(ControlStyle, EachMaskBitCopiesExactlyItsField) {
    NWControlStyle changed = NWControlStyle::Defaults();
    for (COLORREF& color : changed.colors) color ^= 0x00FFFFFF;
    changed.options = 0x000FFFFF & ~changed.options;
    changed.SetTextIndent(-7);
    changed.textAlign = 2;
    changed.SetMaxNameChars(20);
    const std::vector<int64_t> defaults = MaskedFields(NWControlStyle::Defaults());
    const std::vector<int64_t> source = MaskedFields(changed);
    for (unsigned bit : kMaskBits) {
        changed.fieldMask = 1u << bit;
        NWControlStyle target = NWControlStyle::Defaults();
        target.CopyMaskedFrom(changed);
        const std::vector<int64_t> copied = MaskedFields(target);
        for (size_t i = 0; i < copied.size(); ++i) {
            EXPECT_EQ(copied[i], (kMaskBits[i] == bit ? source : defaults)[i])
                << "mask bit " << bit << ", field of bit " << kMaskBits[i];
        }
        EXPECT_EQ(target.fieldMask, 0xFFFFFFFFu) << "the mask itself is never copied";
    }
}

TEST(SharedDrawing, TheFirstControlMakesOneSetOfFontsAndPensForTheProcess) {
    Fixture f;
    const CNWSharedDrawing& shared = CNWSharedDrawing::Get();
    EXPECT_EQ(&CNWSharedDrawing::Get(), &shared);
    std::vector<LONG> heights;
    std::vector<LONG> weights;
    for (HFONT font : {shared.cellFont, shared.normalFont, shared.boldFont, shared.largeFont,
                       shared.largeBoldFont}) {
        LOGFONTW description = {};
        ASSERT_EQ(GetObjectW(font, sizeof(description), &description), int{sizeof(description)});
        heights.push_back(description.lfHeight);
        weights.push_back(description.lfWeight);
        EXPECT_EQ(std::wstring(description.lfFaceName), L"Tahoma");
    }
    EXPECT_EQ(heights, (std::vector<LONG>{10, -11, -11, -13, -13}));
    EXPECT_EQ(weights, (std::vector<LONG>{FW_NORMAL, FW_NORMAL, FW_BOLD, FW_NORMAL, FW_BOLD}));
    for (int width = 1; width <= 2; ++width) {
        LOGPEN pen = {};
        ASSERT_EQ(GetObjectW(width == 1 ? shared.redPen : shared.wideRedPen, sizeof(pen), &pen),
                  int{sizeof(pen)});
        EXPECT_EQ(pen.lopnStyle, UINT{PS_SOLID});
        EXPECT_EQ(pen.lopnWidth.x, width);
        EXPECT_EQ(pen.lopnColor, RGB(255, 0, 0));
    }
}
