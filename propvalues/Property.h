// The common face of the property value types. The in-place text editor edits a value only
// through it, so the editor knows nothing about numbers, colours or any other kind.
// [ui thread] like the editor that drives it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ComTypes.h"

class CProperty {
public:
    CProperty() = default;
    CProperty(const CProperty&) = default;
    CProperty& operator=(const CProperty&) = default;
    virtual ~CProperty() = default;

    // A copy of the same kind, or null when it could not be allocated.
    virtual std::unique_ptr<CProperty> Clone() const = 0;
    // Takes the value and limits of `other` when it is of the same kind; else changes nothing.
    virtual bool CopyFrom(const CProperty& other) = 0;
    // Whether the editor should step this value with `key` (a character: '+', '-', ']', '[').
    virtual bool WantsKey(uint32_t key, uint32_t repeat, uint32_t flags) const;
    // The limits as two values of the same kind, owned by the caller; both null and false when
    // the kind has none (or they could not be allocated).
    virtual bool GetLimits(std::unique_ptr<CProperty>& low, std::unique_ptr<CProperty>& high) const;
    // Kinds picked from a fixed list, and kinds with a picker of their own, answer true here;
    // the editor of this system relies on nothing beyond the answer.
    virtual bool HasChoiceList() const;
    virtual bool HasPicker() const;
    // Kinds whose value changes by itself ask the editor for a 200 ms refresh timer.
    virtual bool NeedsRefreshTimer() const;
#if defined(_WIN32)
    // Variants are a COM type: this face exists in the Windows build only.
    virtual bool ToVariant(VARIANT* out) const = 0;
    virtual bool FromVariant(const VARIANT& in) = 0;
#endif
    // Whether a typed character may enter the edit field.
    virtual bool AcceptsChar(wchar_t ch) const = 0;
    virtual void Format(std::wstring& text) const = 0;
    // Reads a text back; false (value unchanged) when it is not acceptable.
    virtual bool Parse(const std::wstring& text) = 0;
    virtual void Step(wchar_t key) = 0;
    // The text the editor starts with.
    virtual void GetEditText(std::wstring& text) const;
};
