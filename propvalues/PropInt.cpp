#include "propvalues/PropInt.h"

#include <cwctype>
#include <limits>
#include <new>

namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

// Blanks, an optional sign, then digits up to the first other character; no digits read as 0.
// Numbers beyond 32 bits saturate, so they fall outside any limits rather than wrapping into them.
int64_t LeadingWholeNumber(const std::wstring& text) {
    size_t at = 0;
    while (at < text.size() && std::iswspace(static_cast<wint_t>(text[at]))) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        negative = text[at] == L'-';
        ++at;
    }
    int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        if (magnitude <= kInt32Max + 1) {
            magnitude = magnitude * 10 + (text[at] - L'0');
        }
    }
    const int64_t number = negative ? -magnitude : magnitude;
    return number < kInt32Min ? kInt32Min : (number > kInt32Max ? kInt32Max : number);
}

}  // namespace

CPropInt::CPropInt(int32_t initial, int32_t low, int32_t high)
    : value(initial), minimum(low), maximum(high) {}

std::unique_ptr<CProperty> CPropInt::Clone() const {
    return std::unique_ptr<CProperty>(new (std::nothrow) CPropInt(*this));
}

bool CPropInt::CopyFrom(const CProperty& other) {
    const auto* same = dynamic_cast<const CPropInt*>(&other);
    if (!same) {
        return false;
    }
    value = same->value;
    minimum = same->minimum;
    maximum = same->maximum;
    return true;
}

bool CPropInt::GetLimits(std::unique_ptr<CProperty>& low, std::unique_ptr<CProperty>& high) const {
    constexpr auto lowest = static_cast<int32_t>(kInt32Min);
    constexpr auto highest = static_cast<int32_t>(kInt32Max);
    low.reset(new (std::nothrow) CPropInt(minimum, lowest, highest));
    high.reset(new (std::nothrow) CPropInt(maximum, lowest, highest));
    if (!low || !high) {
        low.reset();
        high.reset();
        return false;
    }
    return true;
}

bool CPropInt::AcceptsChar(wchar_t ch) const {
    if (ch == L'-') {
        return minimum < 0;
    }
    return ch >= L'0' && ch <= L'9';
}

void CPropInt::Format(std::wstring& text) const { text = std::to_wstring(value); }

bool CPropInt::Parse(const std::wstring& text) { return Accept(LeadingWholeNumber(text)); }

// The comparisons follow the stepping rule literally (value <= maximum - 1, and so on), made
// in 64 bits so that limits at the ends of the 32-bit range cannot wrap and step past a limit.
void CPropInt::Step(wchar_t key) {
    const int64_t v = value;
    const int64_t lo = minimum;
    const int64_t hi = maximum;
    int64_t next = v;
    switch (key) {
        case L'+':
            next = v <= hi - 1 ? v + 1 : hi;
            break;
        case L'-':
            next = lo + 1 <= v ? v - 1 : lo;
            break;
        case L']':
            next = v <= hi - 10 ? v + 10 : hi;
            break;
        case L'[':
            next = lo + 10 <= v ? v - 10 : lo;
            break;
        default:
            return;
    }
    value = static_cast<int32_t>(next);
}

bool CPropInt::Accept(int64_t candidate) {
    if (candidate < minimum || candidate > maximum) {
        return false;
    }
    value = static_cast<int32_t>(candidate);
    return true;
}
