// The variant face of the integer property value (Windows build only).
#include <gtest/gtest.h>

#include "propvalues/PropInt.h"

namespace {

VARIANT MakeVariant(VARTYPE type) {
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = type;
    return variant;
}

}  // namespace

TEST(CPropIntVariant, StoresTheValueAsASigned32BitVariant) {
    const CPropInt property(-17, -100, 100);
    VARIANT out = MakeVariant(VT_BSTR);  // sentinel type: must be overwritten
    out.bstrVal = nullptr;
    ASSERT_TRUE(property.ToVariant(&out));
    EXPECT_EQ(out.vt, VT_I4);
    EXPECT_EQ(out.lVal, -17);
    EXPECT_FALSE(property.ToVariant(nullptr));
}

TEST(CPropIntVariant, TakesWhatConvertsToAnIntegerWithinTheLimits) {
    struct Case {
        const char* what;
        VARIANT in;
        bool accepted;
        int32_t value;  // refused variants leave the sentinel 42
    };
    VARIANT i4 = MakeVariant(VT_I4);
    i4.lVal = 250;
    VARIANT i4High = MakeVariant(VT_I4);
    i4High.lVal = 501;
    VARIANT r8Half = MakeVariant(VT_R8);
    r8Half.dblVal = 2.5;  // the system rounds half to even
    VARIANT r8Up = MakeVariant(VT_R8);
    r8Up.dblVal = 3.5;
    VARIANT r8Huge = MakeVariant(VT_R8);
    r8Huge.dblVal = 1e12;
    VARIANT ui1 = MakeVariant(VT_UI1);
    ui1.bVal = 200;
    VARIANT empty = MakeVariant(VT_EMPTY);  // converts to 0, below the limits
    const Case cases[] = {
        {"VT_I4 250", i4, true, 250},      {"VT_I4 501", i4High, false, 42},
        {"VT_R8 2.5", r8Half, true, 2},    {"VT_R8 3.5", r8Up, true, 4},
        {"VT_R8 1e12", r8Huge, false, 42}, {"VT_UI1 200", ui1, true, 200},
        {"VT_EMPTY", empty, false, 42},
    };
    for (const Case& c : cases) {
        CPropInt property(42, 1, 500);
        EXPECT_EQ(property.FromVariant(c.in), c.accepted) << c.what;
        EXPECT_EQ(property.GetValue(), c.value) << c.what;
    }
}

TEST(CPropIntVariant, ReadsNumericTextAndRefusesOtherText) {
    struct Case {
        const wchar_t* text;
        bool accepted;
        int32_t value;
    };
    const Case cases[] = {{L"17", true, 17}, {L"abc", false, 42}, {L"600", false, 42}};
    for (const Case& c : cases) {
        VARIANT text = MakeVariant(VT_BSTR);
        text.bstrVal = SysAllocString(c.text);
        CPropInt property(42, 1, 500);
        EXPECT_EQ(property.FromVariant(text), c.accepted);
        EXPECT_EQ(property.GetValue(), c.value);
        VariantClear(&text);
    }
}
