// The appearance record, its field mask, the control's initial state, name abbreviation and
// site naming.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "controls/AbbreviateName.h"
#include "controls/NWControlStyle.h"
#include "controls/NWSharedDrawing.h"
#include "support/TestHost.h"

namespace {

// A style whose every field differs from the defaults.
NWControlStyle ChangedStyle() {
    NWControlStyle style = NWControlStyle::Defaults();
    for (COLORREF& color : style.colors) {
        color ^= 0x00FFFFFF;
    }
    style.options = 0x000FFFFF & ~style.options;
    style.SetTextIndent(-7);
    style.textAlign = 2;
    style.SetMaxNameChars(20);
    return style;
}

}  // namespace

TEST(ControlStyleDefaults, ComeFromTheSystemColoursWithTheDocumentedOptions) {
    const NWControlStyle style = NWControlStyle::Defaults();
    const COLORREF expected[7] = {GetSysColor(COLOR_BTNFACE),     GetSysColor(COLOR_BTNFACE),
                                  GetSysColor(COLOR_BTNFACE),     GetSysColor(COLOR_BTNTEXT),
                                  GetSysColor(COLOR_BTNTEXT),     GetSysColor(COLOR_GRAYTEXT),
                                  GetSysColor(COLOR_BTNHIGHLIGHT)};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(style.colors[i], expected[i]) << "colour " << i;
    }
    EXPECT_EQ(style.options & 0xFFFFF, 0x1110u);
    EXPECT_EQ(style.GetOption(NWControlStyle::kResendOnPress), 1u);
    EXPECT_EQ(style.GetOption(NWControlStyle::kTrackingTip), 1u);
    EXPECT_EQ(style.GetTextIndent(), 0);
    EXPECT_EQ(style.textAlign, 0);
    EXPECT_EQ(style.byteOptions & 0x0F, 0x08);
    EXPECT_EQ(style.maxNameChars, 8);
    EXPECT_EQ(style.maxNameCharsWide, 12);
    EXPECT_EQ(style.fieldMask, 0xFFFFFFFFu);
}

TEST(ControlStyleFields, TwelveBitFieldsAreSigned) {
    struct Case {
        int set;
        int indent;
        int names;
        int wide;
    };
    const Case cases[] = {{-5, -5, -5, -7},
                          {2047, 2047, 2047, 3070},
                          {2048, -2048, -2048, -3072},
                          {4095, -1, -1, -1},
                          {9, 9, 9, 13}};
    for (const Case& c : cases) {
        NWControlStyle style = NWControlStyle::Defaults();
        style.SetTextIndent(c.set);
        style.SetMaxNameChars(c.set);
        EXPECT_EQ(style.GetTextIndent(), c.indent) << c.set;
        EXPECT_EQ(style.maxNameChars, c.names) << c.set;
        EXPECT_EQ(style.maxNameCharsWide, c.wide) << c.set;
    }
}

// Each mask bit copies its own field and nothing else.
TEST(ControlSetStyle, EachMaskBitCopiesExactlyItsField) {
    using Check = std::function<bool(const NWControlStyle&, const NWControlStyle&)>;
    auto option = [](NWControlStyle::Option field) {
        return Check([field](const NWControlStyle& a, const NWControlStyle& b) {
            return a.GetOption(field) == b.GetOption(field);
        });
    };
    auto color = [](int i) {
        return Check([i](const NWControlStyle& a, const NWControlStyle& b) {
            return a.colors[i] == b.colors[i];
        });
    };
    struct Case {
        unsigned bit;
        Check copied;
    };
    const Case cases[] = {
        {0, color(0)},
        {1, color(1)},
        {2, color(2)},
        {3, color(3)},
        {4, color(4)},
        {5, color(5)},
        {18, color(6)},
        {6, option(NWControlStyle::kShowName)},
        {7, option(NWControlStyle::kShowValue)},
        {8, option(NWControlStyle::kHoverFrame)},
        {9, option(NWControlStyle::kFocusFrame)},
        {10, option(NWControlStyle::kTrackingTip)},
        {11, option(NWControlStyle::kBoldText)},
        {14, option(NWControlStyle::kNoBackground)},
        {16, option(NWControlStyle::kResendOnPress)},
        {17, option(NWControlStyle::kOption16)},
        {19, option(NWControlStyle::kWheelMode)},
        {12, [](const NWControlStyle& a,
                const NWControlStyle& b) { return a.textAlign == b.textAlign; }},
        {13, [](const NWControlStyle& a,
                const NWControlStyle& b) { return a.textIndent == b.textIndent; }},
        {15,
         [](const NWControlStyle& a, const NWControlStyle& b) {
             return a.maxNameChars == b.maxNameChars && a.maxNameCharsWide == b.maxNameCharsWide;
         }},
    };
    const NWControlStyle defaults = NWControlStyle::Defaults();
    for (const Case& c : cases) {
        NWControlStyle source = ChangedStyle();
        source.fieldMask = 1u << c.bit;
        NWControlStyle target = defaults;
        target.CopyMaskedFrom(source);
        EXPECT_TRUE(c.copied(target, source)) << "bit " << c.bit << " did not copy its field";
        // Everything else is still the default: compare with the one field put back.
        for (const Case& other : cases) {
            if (other.bit != c.bit) {
                EXPECT_TRUE(other.copied(target, defaults))
                    << "bit " << c.bit << " also copied the field of bit " << other.bit;
            }
        }
        EXPECT_EQ(target.fieldMask, 0xFFFFFFFFu) << "the mask itself is never copied";
    }
}

TEST(ControlSetStyle, ThePagesRecordKeepsResendOnPressAndCentresText) {
    TestHost host(false);
    TestControl* control = host.Add({0, 0, 10, 10}, 0);
    NWControlStyle page = NWControlStyle::Defaults();
    page.colors[0] = 0x004D1416;
    page.colors[3] = 0x00FCB8BA;
    page.colors[1] = 0x00123456;  // not in the page's mask
    page.SetOption(NWControlStyle::kShowName, 0);
    page.SetOption(NWControlStyle::kShowValue, 1);
    page.SetOption(NWControlStyle::kHoverFrame, 1);
    page.SetOption(NWControlStyle::kFocusFrame, 0);
    page.SetOption(NWControlStyle::kTrackingTip, 0);
    page.SetOption(NWControlStyle::kNoBackground, 1);
    page.SetOption(NWControlStyle::kResendOnPress, 0);  // not in the page's mask either
    page.textAlign = 1;
    page.fieldMask = 0x57C9;
    control->SetStyle(page);
    const NWControlStyle& style = control->GetStyle();
    EXPECT_EQ(style.colors[0], 0x004D1416u);
    EXPECT_EQ(style.colors[3], 0x00FCB8BAu);
    EXPECT_EQ(style.colors[1], GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(style.GetOption(NWControlStyle::kShowValue), 1u);
    EXPECT_EQ(style.GetOption(NWControlStyle::kTrackingTip), 0u);
    EXPECT_EQ(style.GetOption(NWControlStyle::kNoBackground), 1u);
    EXPECT_EQ(style.GetOption(NWControlStyle::kResendOnPress), 1u);
    EXPECT_EQ(style.textAlign, 1);
}

TEST(ControlSetStyle, ANewNameLengthRebuildsTheShortName) {
    TestHost host(false);
    TestControl* control = host.Add({0, 0, 10, 10}, 0);
    control->SetName(L"Velocity Sensitivity");
    EXPECT_EQ(control->GetShortName(), L"VlctySns");
    NWControlStyle style = NWControlStyle::Defaults();
    style.SetMaxNameChars(12);
    style.fieldMask = NWControlStyle::kMaxNameCharsField;
    control->SetStyle(style);
    EXPECT_EQ(control->GetShortName(), L"VlctySnstvty");
}

TEST(ControlSetStyle, TheWheelModeLivesInTheControlsOwnStyleCopy) {
    TestHost host(false);
    TestControl* first = host.Add({}, 0);
    TestControl* second = host.Add({}, 0);
    first->SetWheelMode(1);
    EXPECT_EQ(first->GetWheelMode(), 1u);
    EXPECT_EQ(second->GetWheelMode(), 0u);
    NWControlStyle style = NWControlStyle::Defaults();
    style.SetOption(NWControlStyle::kWheelMode, 2);
    style.fieldMask = 1u << 19;
    second->SetStyle(style);
    EXPECT_EQ(second->GetWheelMode(), 2u);
}

TEST(ControlNames, AbbreviationDropsBlanksThenInnerVowelsThenCuts) {
    struct Case {
        const wchar_t* name;
        int limit;
        const wchar_t* shortName;
    };
    const Case cases[] = {
        {L"Rate", 8, L"Rate"},
        {L"Legato", 6, L"Legato"},
        {L"Play Through", 8, L"PlyThrgh"},
        {L"Play Through", 11, L"PlayThrough"},
        {L"Velocity Sensitivity", 8, L"VlctySns"},
        {L"AEIOU aeiou", 6, L"AEIOUa"},
        {L"Anything", 0, L"Anything"},
        {L"Anything", -3, L"Anything"},
        {L"", 8, L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AbbreviateName(c.name, c.limit), c.shortName) << c.limit;
    }
}

namespace {

class NamedHost : public TestHost {
public:
    NamedHost(const char* sourceFile, const char* qualifiedFunction)
        : TestHost(false), file(sourceFile), function(qualifiedFunction) {}
    void SetSiteName() override { NameSite(file, function); }

private:
    const char* file;
    const char* function;
};

}  // namespace

TEST(SiteNaming, TheFirstControlNamesTheSiteAfterItsSourceFile) {
    struct Case {
        const char* file;
        const char* function;
        const wchar_t* name;
    };
    const Case cases[] = {
        {"ArpeggiatorPropPage", "CArpeggiatorPropPage::SetSiteName", L"ARPEGGIATORPROPPAGE"},
        {"C:\\src\\editor\\ArpeggiatorPropPage.cpp", "X::SetSiteName", L"ARPEGGIATORPROPPAGE"},
        {"/work/editor/page.v2.cpp", "X::SetSiteName", L"PAGE.V2"},
        {"", "CSomePage::SetSiteName", L"CSOMEPAGE"},
    };
    for (const Case& c : cases) {
        NamedHost host(c.file, c.function);
        EXPECT_EQ(host.GetSiteName(), L"");
        host.Add({}, 0);
        EXPECT_EQ(host.GetSiteName(), c.name);
        EXPECT_EQ(host.GetSiteTag(), -1);
    }
}

TEST(SharedDrawing, TheFirstControlMakesOneSetOfFontsAndPensForTheProcess) {
    TestHost host(false);
    host.Add({}, 0);
    ASSERT_TRUE(CNWSharedDrawing::Exists());
    const CNWSharedDrawing& shared = CNWSharedDrawing::Get();
    EXPECT_EQ(&CNWSharedDrawing::Get(), &shared);
    struct Case {
        HFONT font;
        LONG height;
        LONG weight;
    };
    const Case cases[] = {
        {shared.cellFont, 10, FW_NORMAL},     {shared.normalFont, -11, FW_NORMAL},
        {shared.boldFont, -11, FW_BOLD},      {shared.largeFont, -13, FW_NORMAL},
        {shared.largeBoldFont, -13, FW_BOLD},
    };
    for (const Case& c : cases) {
        LOGFONTW font = {};
        ASSERT_EQ(GetObjectW(c.font, sizeof(font), &font), static_cast<int>(sizeof(font)));
        EXPECT_EQ(font.lfHeight, c.height);
        EXPECT_EQ(font.lfWeight, c.weight);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"Tahoma");
    }
    const HPEN pens[] = {shared.redPen, shared.wideRedPen};
    for (int i = 0; i < 2; ++i) {
        LOGPEN pen = {};
        ASSERT_EQ(GetObjectW(pens[i], sizeof(pen), &pen), static_cast<int>(sizeof(pen)));
        EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
        EXPECT_EQ(pen.lopnWidth.x, i + 1);
        EXPECT_EQ(pen.lopnColor, RGB(255, 0, 0));
    }
}
