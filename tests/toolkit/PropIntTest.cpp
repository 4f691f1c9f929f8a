// The integer property value: typed characters, parsing, stepping, copying and limits.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "propvalues/PropInt.h"

namespace {

// A property of another kind, for the kind checks of CopyFrom.
class TextProperty : public CProperty {
public:
    std::unique_ptr<CProperty> Clone() const override {
        return std::make_unique<TextProperty>(*this);
    }
    bool CopyFrom(const CProperty&) override { return false; }
#if defined(_WIN32)
    bool ToVariant(VARIANT*) const override { return false; }
    bool FromVariant(const VARIANT&) override { return false; }
#endif
    bool AcceptsChar(wchar_t) const override { return true; }
    void Format(std::wstring& out) const override { out = text; }
    bool Parse(const std::wstring& in) override {
        text = in;
        return true;
    }
    void Step(wchar_t) override {}

    std::wstring text = L"abc";
};

void ExpectFields(const CPropInt& property, int32_t value, int32_t minimum, int32_t maximum) {
    EXPECT_EQ(property.GetValue(), value);
    EXPECT_EQ(property.GetMinimum(), minimum);
    EXPECT_EQ(property.GetMaximum(), maximum);
}

}  // namespace

TEST(CPropIntChars, AcceptsDigitsAndMinusOnlyWhenTheLimitsReachBelowZero) {
    struct Case {
        int32_t minimum;
        int32_t maximum;
        wchar_t ch;
        bool accepted;
    };
    const Case cases[] = {
        {1, 500, L'-', false},      {-100, 100, L'-', true}, {0, 10, L'-', false},
        {-1, 0, L'-', true},        {1, 500, L'0', true},    {1, 500, L'9', true},
        {1, 500, L'+', false},      {1, 500, L'a', false},   {1, 500, L' ', false},
        {1, 500, L'.', false},      {1, 500, L'/', false},   {1, 500, L':', false},
        {1, 500, L'\x0663', false},  // ARABIC-INDIC DIGIT THREE: not a decimal digit here
    };
    for (const Case& c : cases) {
        CPropInt property(c.minimum, c.minimum, c.maximum);
        EXPECT_EQ(property.AcceptsChar(c.ch), c.accepted)
            << "limits " << c.minimum << ".." << c.maximum << ", char " << int(c.ch);
    }
}

TEST(CPropIntParse, TakesTheLeadingWholeNumberOnlyWithinTheLimits) {
    struct Case {
        const wchar_t* text;
        int32_t minimum;
        int32_t maximum;
        bool accepted;
        int32_t value;  // after the call; refused texts leave the sentinel 42
    };
    const Case cases[] = {
        {L"250abc", 1, 500, true, 250},
        {L"", 1, 500, false, 42},  // no digits reads 0, below the limits
        {L"", -5, 5, true, 0},
        {L"abc", 0, 10, true, 0},
        {L"-", -5, 5, true, 0},
        {L"  -12", -100, 100, true, -12},
        {L"\t 8", 1, 500, true, 8},
        {L"+7", 1, 500, true, 7},
        {L"12 34", 1, 500, true, 12},
        {L"- 3", -5, 5, true, 0},  // the sign must touch the digits
        {L"500", 1, 500, true, 500},
        {L"1", 1, 500, true, 1},
        {L"501", 1, 500, false, 42},
        {L"0", 1, 500, false, 42},
        {L"-101", -100, 100, false, 42},
        {L"007", 1, 500, true, 7},
        {L"2147483647", INT_MIN, INT_MAX, true, INT_MAX},
        {L"-2147483648", INT_MIN, INT_MAX, true, INT_MIN},
        // Beyond 32 bits the number saturates instead of wrapping back into the limits.
        {L"4294967297", 0, 10, false, 42},
        {L"99999999999999999999", INT_MIN, INT_MAX, true, INT_MAX},
        {L"-99999999999999999999", INT_MIN, INT_MAX, true, INT_MIN},
    };
    for (const Case& c : cases) {
        CPropInt property(42, c.minimum, c.maximum);
        EXPECT_EQ(property.Parse(c.text), c.accepted)
            << "text \"" << testing::PrintToString(std::wstring(c.text)) << "\"";
        ExpectFields(property, c.value, c.minimum, c.maximum);
    }
}

TEST(CPropIntStep, StepsByOneOrTenAndStopsOnTheLimit) {
    struct Case {
        int32_t value;
        int32_t minimum;
        int32_t maximum;
        wchar_t key;
        int32_t expected;
    };
    const Case cases[] = {
        {495, 1, 500, L']', 500},
        {490, 1, 500, L']', 500},
        {489, 1, 500, L']', 499},
        {5, 1, 500, L'[', 1},
        {11, 1, 500, L'[', 1},
        {12, 1, 500, L'[', 2},
        {500, 1, 500, L'+', 500},
        {499, 1, 500, L'+', 500},
        {1, 1, 500, L'-', 1},
        {2, 1, 500, L'-', 1},
        {250, 1, 500, L'+', 251},
        {250, 1, 500, L'-', 249},
        {250, 1, 500, L']', 260},
        {250, 1, 500, L'[', 240},
        {250, 1, 500, L'x', 250},
        {250, 1, 500, L'=', 250},
        {0, -100, 100, L'-', -1},
        // A value outside the limits follows the same comparisons.
        {600, 1, 500, L'+', 500},
        {600, 1, 500, L'-', 599},
        {-7, 1, 500, L'-', 1},
        // The ends of the 32-bit range never wrap.
        {INT_MAX, INT_MIN, INT_MAX, L'+', INT_MAX},
        {INT_MAX - 5, INT_MIN, INT_MAX, L']', INT_MAX},
        {INT_MIN, INT_MIN, INT_MAX, L'-', INT_MIN},
        {INT_MIN + 3, INT_MIN, INT_MAX, L'[', INT_MIN},
        {INT_MIN, INT_MIN, INT_MIN + 5, L']', INT_MIN + 5},
        {INT_MAX, INT_MAX - 5, INT_MAX, L'[', INT_MAX - 5},
    };
    for (const Case& c : cases) {
        CPropInt property(c.value, c.minimum, c.maximum);
        property.Step(c.key);
        EXPECT_EQ(property.GetValue(), c.expected)
            << c.value << " in " << c.minimum << ".." << c.maximum << ", key " << char(c.key);
    }
}

TEST(CPropIntText, FormatsAsDecimalAndStartsEditingFromIt) {
    struct Case {
        int32_t value;
        const wchar_t* text;
    };
    const Case cases[] = {{0, L"0"}, {-5, L"-5"}, {500, L"500"}, {INT_MIN, L"-2147483648"}};
    for (const Case& c : cases) {
        CPropInt property(c.value, INT_MIN, INT_MAX);
        std::wstring formatted = L"sentinel";
        property.Format(formatted);
        EXPECT_EQ(formatted, c.text);
        std::wstring edit = L"sentinel";
        property.GetEditText(edit);
        EXPECT_EQ(edit, c.text);
    }
}

TEST(CPropIntCopy, CopiesOnlyFromItsOwnKind) {
    CPropInt target(3, 1, 9);
    TextProperty other;
    EXPECT_FALSE(target.CopyFrom(other));
    ExpectFields(target, 3, 1, 9);

    EXPECT_TRUE(target.CopyFrom(CPropInt(-4, -10, 10)));
    ExpectFields(target, -4, -10, 10);
}

TEST(CPropIntCopy, CloneIsAnIndependentIntegerWithTheSameFields) {
    CPropInt original(7, 1, 500);
    std::unique_ptr<CProperty> clone = original.Clone();
    auto* copy = dynamic_cast<CPropInt*>(clone.get());
    ASSERT_NE(copy, nullptr);
    ExpectFields(*copy, 7, 1, 500);
    copy->Step(L']');
    EXPECT_EQ(copy->GetValue(), 17);
    EXPECT_EQ(original.GetValue(), 7);
}

TEST(CPropIntLimits, LimitsComeBackAsFullRangeIntegersOwnedByTheCaller) {
    CPropInt property(5, -3, 12);
    auto low = std::make_unique<TextProperty>();  // stale objects must be replaced
    std::unique_ptr<CProperty> lowOut = std::move(low);
    std::unique_ptr<CProperty> highOut;
    ASSERT_TRUE(property.GetLimits(lowOut, highOut));
    auto* lowInt = dynamic_cast<CPropInt*>(lowOut.get());
    auto* highInt = dynamic_cast<CPropInt*>(highOut.get());
    ASSERT_NE(lowInt, nullptr);
    ASSERT_NE(highInt, nullptr);
    ExpectFields(*lowInt, -3, INT_MIN, INT_MAX);
    ExpectFields(*highInt, 12, INT_MIN, INT_MAX);
}

TEST(CPropertyBase, KindsWithoutLimitsNullBothOutputs) {
    TextProperty property;
    std::unique_ptr<CProperty> low = std::make_unique<CPropInt>(1, 1, 1);
    std::unique_ptr<CProperty> high = std::make_unique<CPropInt>(1, 1, 1);
    EXPECT_FALSE(property.GetLimits(low, high));
    EXPECT_EQ(low, nullptr);
    EXPECT_EQ(high, nullptr);
}
