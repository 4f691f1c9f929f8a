// A 32-bit signed integer with inclusive limits: what the editor page types numbers into.
// The limits are not enforced at construction; the owner passes a value inside them.
#pragma once

#include "propvalues/Property.h"

class CPropInt : public CProperty {
public:
    CPropInt(int32_t initial, int32_t low, int32_t high);

    std::unique_ptr<CProperty> Clone() const override;
    bool CopyFrom(const CProperty& other) override;
    // Both limits come back as values limited only by the 32-bit range.
    bool GetLimits(std::unique_ptr<CProperty>& low,
                   std::unique_ptr<CProperty>& high) const override;
#if defined(_WIN32)
    bool ToVariant(VARIANT* out) const override;
    bool FromVariant(const VARIANT& in) override;
#endif
    // Decimal digits always; '-' only when the limits reach below zero.
    bool AcceptsChar(wchar_t ch) const override;
    void Format(std::wstring& text) const override;
    // The leading whole number of the text, taken only when it lies within the limits.
    bool Parse(const std::wstring& text) override;
    // '+'/'-' step by 1, ']'/'[' by 10, stopping on the limit; any other key does nothing.
    void Step(wchar_t key) override;

    int32_t GetValue() const { return value; }
    int32_t GetMinimum() const { return minimum; }
    int32_t GetMaximum() const { return maximum; }

private:
    bool Accept(int64_t candidate);

    int32_t value;
    int32_t minimum;
    int32_t maximum;
};
