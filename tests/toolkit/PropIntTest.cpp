// The integer property value: typed characters, parsing, stepping, text, copies and limits, and
// in the Windows build its variant face.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "propvalues/PropInt.h"

namespace {

using Ints = std::vector<int32_t>;

// A property of another kind, for the kind checks.
class TextProperty : public CProperty {
public:
    std::unique_ptr<CProperty> Clone() const override { return nullptr; }
    bool CopyFrom(const CProperty&) override { return false; }
#if defined(_WIN32)
    bool ToVariant(VARIANT*) const override { return false; }
    bool FromVariant(const VARIANT&) override { return false; }
#endif
    bool AcceptsChar(wchar_t) const override { return true; }
    void Format(std::wstring& text) const override { text = L"abc"; }
    bool Parse(const std::wstring&) override { return true; }
    void Step(wchar_t) override {}
};

// Value, minimum and maximum of an integer property; nothing for another kind or none.
Ints Fields(const CProperty* property) {
    const auto* integer = dynamic_cast<const CPropInt*>(property);
    return integer ? Ints{integer->GetValue(), integer->GetMinimum(), integer->GetMaximum()}
                   : Ints{};
}

}  // namespace

TEST(CPropInt, AcceptsDigitsAndAMinusOnlyWhenTheLimitsReachBelowZero) {
    const CPropInt positive(5, 1, 500);
    for (wchar_t ch : std::wstring(L"0123456789")) EXPECT_TRUE(positive.AcceptsChar(ch)) << int(ch);
    // U+0663 is an Arabic-Indic digit three: not a decimal digit here.
    for (wchar_t ch : std::wstring(L"-+a ./:\x0663"))
        EXPECT_FALSE(positive.AcceptsChar(ch)) << int(ch);
    using Case = std::tuple<int32_t, int32_t, bool>;  // minimum, maximum, '-' accepted
    for (const auto& [minimum, maximum, minus] :
         {Case{-100, 100, true}, {-1, 0, true}, {0, 10, false}}) {
        EXPECT_EQ(CPropInt(minimum, minimum, maximum).AcceptsChar(L'-'), minus) << minimum;
    }
}

// No digits read 0; the sign must touch the digits; beyond 32 bits a number saturates rather
// than wrapping back into the limits.
TEST(CPropInt, ParseTakesTheLeadingWholeNumberOnlyWithinTheLimits) {
    // The text, the limits, and the value after it: a refused text leaves the sentinel 42.
    using Case = std::tuple<const wchar_t*, int32_t, int32_t, int32_t>;
    const int32_t lo = INT_MIN;
    const int32_t hi = INT_MAX;
    std::vector<Case> cases = {
        {L"250abc", 1, 500, 250}, {L"", 1, 500, 42},          {L"", -5, 5, 0},
        {L"abc", 0, 10, 0},       {L"-", -5, 5, 0},           {L"  -12", -100, 100, -12},
        {L"\t 8", 1, 500, 8},     {L"+7", 1, 500, 7},         {L"12 34", 1, 500, 12},
        {L"- 3", -5, 5, 0},       {L"500", 1, 500, 500},      {L"1", 1, 500, 1},
        {L"501", 1, 500, 42},     {L"0", 1, 500, 42},         {L"-101", -100, 100, 42},
        {L"007", 1, 500, 7},      {L"4294967297", 0, 10, 42},
    };
    const std::vector<Case> extremes = {
        {L"2147483647", lo, hi, hi},
        {L"-2147483648", lo, hi, lo},
        {L"99999999999999999999", lo, hi, hi},
        {L"-99999999999999999999", lo, hi, lo},
    };
    cases.insert(cases.end(), extremes.begin(), extremes.end());
    for (const auto& [text, minimum, maximum, value] : cases) {
        CPropInt property(42, minimum, maximum);
        EXPECT_EQ(property.Parse(text), value != 42) << testing::PrintToString(std::wstring(text));
        EXPECT_EQ(Fields(&property), (Ints{value, minimum, maximum}));
    }
}

// A value outside the limits follows the same comparisons; the ends of the 32-bit range never
// wrap.
TEST(CPropInt, StepsByOneOrTenAndStopsOnTheLimit) {
    using Case = std::tuple<int32_t, int32_t, int32_t, wchar_t, int32_t>;  // value, limits, key
    const int32_t lo = INT_MIN;
    const int32_t hi = INT_MAX;
    const Case cases[] = {
        {495, 1, 500, L']', 500},       {490, 1, 500, L']', 500},       {489, 1, 500, L']', 499},
        {5, 1, 500, L'[', 1},           {11, 1, 500, L'[', 1},          {12, 1, 500, L'[', 2},
        {500, 1, 500, L'+', 500},       {499, 1, 500, L'+', 500},       {1, 1, 500, L'-', 1},
        {2, 1, 500, L'-', 1},           {250, 1, 500, L'+', 251},       {250, 1, 500, L'-', 249},
        {250, 1, 500, L']', 260},       {250, 1, 500, L'[', 240},       {250, 1, 500, L'x', 250},
        {250, 1, 500, L'=', 250},       {0, -100, 100, L'-', -1},       {600, 1, 500, L'+', 500},
        {600, 1, 500, L'-', 599},       {-7, 1, 500, L'-', 1},          {hi, lo, hi, L'+', hi},
        {hi - 5, lo, hi, L']', hi},     {lo, lo, hi, L'-', lo},         {lo + 3, lo, hi, L'[', lo},
        {lo, lo, lo + 5, L']', lo + 5}, {hi, hi - 5, hi, L'[', hi - 5},
    };
    for (const auto& [value, minimum, maximum, key, expected] : cases) {
        CPropInt property(value, minimum, maximum);
        property.Step(key);
        EXPECT_EQ(property.GetValue(), expected)
            << value << " in " << minimum << ".." << maximum << ", key " << char(key);
    }
}

TEST(CPropInt, FormatsAsDecimalAndStartsEditingFromIt) {
    for (int32_t value : {0, -5, 500, INT_MIN}) {
        const CPropInt property(value, INT_MIN, INT_MAX);
        std::wstring formatted = L"sentinel";
        std::wstring edit = L"sentinel";
        property.Format(formatted);
        property.GetEditText(edit);
        EXPECT_EQ(formatted, std::to_wstring(value));
        EXPECT_EQ(edit, std::to_wstring(value));
    }
}

TEST(CPropInt, CopiesOnlyItsOwnKindAndGivesItsLimitsAsFullRangeIntegers) {
    CPropInt target(3, 1, 9);
    EXPECT_FALSE(target.CopyFrom(TextProperty()));
    EXPECT_EQ(Fields(&target), (Ints{3, 1, 9}));
    EXPECT_TRUE(target.CopyFrom(CPropInt(-4, -10, 10)));
    EXPECT_EQ(Fields(&target), (Ints{-4, -10, 10}));

    std::unique_ptr<CProperty> clone = target.Clone();
    ASSERT_NE(clone, nullptr);
    clone->Step(L']');
    EXPECT_EQ(Fields(clone.get()), (Ints{6, -10, 10}));
    EXPECT_EQ(target.GetValue(), -4) << "the clone is independent";

    std::unique_ptr<CProperty> low = std::make_unique<TextProperty>();  // must be replaced
    std::unique_ptr<CProperty> high;
    ASSERT_TRUE(target.GetLimits(low, high));
    EXPECT_EQ(Fields(low.get()), (Ints{-10, INT_MIN, INT_MAX}));
    EXPECT_EQ(Fields(high.get()), (Ints{10, INT_MIN, INT_MAX}));

    // A kind without limits nulls both.
    EXPECT_FALSE(TextProperty().GetLimits(low, high));
    EXPECT_EQ(low, nullptr);
    EXPECT_EQ(high, nullptr);
}

#if defined(_WIN32)

namespace {

VARIANT MakeVariant(VARTYPE type, double number, const wchar_t* text = nullptr) {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = type;
    if (type == VT_I4) variant.lVal = static_cast<LONG>(number);
    if (type == VT_R8) variant.dblVal = number;
    if (type == VT_UI1) variant.bVal = static_cast<BYTE>(number);
    if (type == VT_BSTR) variant.bstrVal = SysAllocString(text);
    return variant;
}

}  // namespace

TEST(CPropIntVariant, GivesASigned32BitVariantAndTakesWhatConvertsWithinTheLimits) {
    VARIANT out = MakeVariant(VT_R8, 1.5);  // a sentinel type that must be overwritten
    ASSERT_TRUE(CPropInt(-17, -100, 100).ToVariant(&out));
    EXPECT_EQ(out.vt, VT_I4);
    EXPECT_EQ(out.lVal, -17);
    EXPECT_FALSE(CPropInt(1, 1, 1).ToVariant(nullptr));

    // The variant, and the value after it: a refused one leaves the sentinel 42. The system
    // rounds half to even; VT_EMPTY converts to 0, below the limits.
    std::pair<VARIANT, int32_t> cases[] = {
        {MakeVariant(VT_I4, 250), 250},        {MakeVariant(VT_I4, 501), 42},
        {MakeVariant(VT_R8, 2.5), 2},          {MakeVariant(VT_R8, 3.5), 4},
        {MakeVariant(VT_R8, 1e12), 42},        {MakeVariant(VT_UI1, 200), 200},
        {MakeVariant(VT_EMPTY, 0), 42},        {MakeVariant(VT_BSTR, 0, L"17"), 17},
        {MakeVariant(VT_BSTR, 0, L"abc"), 42}, {MakeVariant(VT_BSTR, 0, L"600"), 42},
    };
    for (auto& [in, value] : cases) {
        CPropInt property(42, 1, 500);
        EXPECT_EQ(property.FromVariant(in), value != 42) << in.vt << " " << value;
        EXPECT_EQ(property.GetValue(), value) << in.vt << " " << value;
        VariantClear(&in);
    }
}

#endif
