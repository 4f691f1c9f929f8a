// An edit control that edits one property value (CProperty) as text: it lets through only
// the characters the property accepts and steps the value from the keyboard, always through
// the property, so that it knows nothing about the kind of value it edits.
// [ui thread] throughout, like its window.
#pragma once

#include <cstdint>

#include "controls/win/Edit.h"

class CProperty;

class CPropEditCtrl : public CEdit {
public:
    // The property is not owned and must outlive the window.
    explicit CPropEditCtrl(CProperty* edited) : property(edited) {}

    CProperty* GetProperty() const { return property; }
    // Steps the value shown in the field by `key` ('+', '-', ']', '['): a copy of the property
    // reads the text, steps and formats it back, and the whole new text is selected. A text
    // the copy cannot read is stepped from the property's own value.
    void StepText(wchar_t key, uint32_t repeat = 1);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // After every step; the cell editor tells its parent through a scroll notification.
    virtual void OnStepped(wchar_t) {}

    CProperty* property;

private:
    // True when the character was handled here and must not reach the edit control.
    bool FilterChar(wchar_t ch);
    // The stepping keys of the keypad, the main keyboard's minus and plus, and Ctrl+Z; true
    // when handled.
    bool HandleEditKey(UINT key, uint32_t repeat);
    void InsertIfAccepted(wchar_t ch);
};
