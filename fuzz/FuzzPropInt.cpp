// The text the in-place editor hands the integer property value: any limits (the ends of the
// 32-bit range included), then a sequence of what the editor does with a value: typed
// characters through AcceptsChar, steps through Clone, Parse, Step and Format, and the final
// text through Parse. Every answer is checked against the C library's reading of the same text
// and the stepping rule taken in 64 bits; a value inside its limits never leaves them.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cwchar>
#include <limits>
#include <string>

#include "fuzz/FuzzHost.h"
#include "fuzz/FuzzInput.h"
#include "propvalues/PropInt.h"

namespace {

constexpr int kMaxActions = 64;

// Characters that look like blanks, signs or digits to a reader that is not this one.
constexpr wchar_t kLookalikes[] = {
    L'\u00A0', L'\u2003', L'\u3000', L'\u0660', L'\uFF10', L'\u2212', L'\uFEFF',
    L'\u00B2', L'\v',     L'\f',     L'\r',     L'\n',     L'\0',     wchar_t(0x10FFFF)};

// Mostly the characters a user types into a number; now and then one that only looks alike.
wchar_t ConsumeChar(FuzzedDataProvider& in) {
    const auto byte = in.ConsumeIntegral<uint8_t>();
    if (byte >= 0xF0) return kLookalikes[(byte - 0xF0) % std::size(kLookalikes)];
    return static_cast<wchar_t>(byte);
}

std::wstring ConsumeText(FuzzedDataProvider& in) {
    std::wstring text;
    const int length = in.ConsumeIntegralInRange(0, 24);
    for (int i = 0; i < length; ++i) text.push_back(ConsumeChar(in));
    return text;
}

// The leading whole number as the C library reads it, pinned to 32 bits as the value's own
// reading is (beyond the range a number saturates instead of wrapping into the limits).
int64_t Reference(const std::wstring& text) {
    const long long number = std::wcstoll(text.c_str(), nullptr, 10);
    constexpr int64_t kLow = std::numeric_limits<int32_t>::min();
    constexpr int64_t kHigh = std::numeric_limits<int32_t>::max();
    return number < kLow ? kLow : (number > kHigh ? kHigh : number);
}

std::wstring Decimal(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

bool Inside(const CPropInt& property, int64_t value) {
    return property.GetMinimum() <= value && value <= property.GetMaximum();
}

void CheckParse(CPropInt& property, const std::wstring& text) {
    const int32_t before = property.GetValue();
    const int64_t number = Reference(text);
    const bool taken = property.Parse(text);
    FUZZ_CHECK(taken == Inside(property, number));
    FUZZ_CHECK(property.GetValue() == (taken ? number : before));
}

// The stepping rule, in 64 bits so that nothing wraps.
int64_t Stepped(const CPropInt& property, wchar_t key) {
    const int64_t v = property.GetValue();
    const int64_t lo = property.GetMinimum();
    const int64_t hi = property.GetMaximum();
    switch (key) {
        case L'+':
            return v <= hi - 1 ? v + 1 : hi;
        case L'-':
            return lo + 1 <= v ? v - 1 : lo;
        case L']':
            return v <= hi - 10 ? v + 10 : hi;
        case L'[':
            return lo + 10 <= v ? v - 10 : lo;
        default:
            return v;
    }
}

class Editor {
public:
    Editor(CPropInt& value, bool valid) : property(value), limitsHold(valid) {
        property.GetEditText(text);
        FUZZ_CHECK(text == Decimal(property.GetValue()));
    }

    // A typed character reaches the field only when the value accepts it; "[" and "]" step.
    void Type(wchar_t ch) {
        if (ch == L'[' || ch == L']') return StepWith(ch);
        const bool expected = ch == L'-' ? property.GetMinimum() < 0 : (L'0' <= ch && ch <= L'9');
        FUZZ_CHECK(property.AcceptsChar(ch) == expected);
        if (expected) text.push_back(ch);
    }

    void Backspace() {
        if (!text.empty()) text.pop_back();
    }

    // A copy reads the field, steps and writes itself back; inside its limits it stays there,
    // and the field then holds exactly its decimal text.
    void StepWith(wchar_t key) {
        FUZZ_CHECK(property.WantsKey(static_cast<uint32_t>(key), 0, 0));
        std::unique_ptr<CProperty> copy = property.Clone();
        FUZZ_CHECK(copy != nullptr);
        auto& stepped = static_cast<CPropInt&>(*copy);
        CheckParse(stepped, text);
        const bool inside = Inside(stepped, stepped.GetValue());
        const int64_t expected = Stepped(stepped, key);
        stepped.Step(key);
        FUZZ_CHECK(stepped.GetValue() == expected);
        FUZZ_CHECK(!limitsHold || !inside || Inside(stepped, stepped.GetValue()));
        stepped.Format(text);
        FUZZ_CHECK(text == Decimal(stepped.GetValue()));
    }

    // Acceptance: the field's text goes to the value itself.
    void Accept() { CheckParse(property, text); }

    // Any text at all, as a paste puts into the field.
    void Paste(std::wstring pasted) { text = std::move(pasted); }

private:
    CPropInt& property;
    bool limitsHold;
    std::wstring text;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int32_t minimum = ConsumeSetting(in, -100, 100);
    const int32_t maximum = ConsumeSetting(in, 1, 500);
    // The page puts the value inside its limits; the value itself never checks.
    const int32_t value = ConsumeSetting(in, minimum, std::max(minimum, maximum));
    CPropInt property(value, minimum, maximum);
    Editor editor(property, minimum <= maximum);
    constexpr wchar_t kKeys[] = {L'+', L'-', L']', L'[', L'=', L'x'};
    for (int i = 0; i < kMaxActions && in.remaining_bytes() > 0; ++i) {
        switch (in.ConsumeIntegralInRange(0, 4)) {
            case 0:
                editor.Type(ConsumeChar(in));
                break;
            case 1:
                editor.Backspace();
                break;
            case 2:
                editor.StepWith(in.PickValueInArray(kKeys));
                break;
            case 3:
                editor.Paste(ConsumeText(in));
                break;
            default:
                editor.Accept();
                break;
        }
    }
    editor.Accept();
    return 0;
}
