// A drop-down without items of its own: a click hands the owner an empty popup menu
// (OnControlMenu), which the owner fills and tracks. Its value is only a one-shot direction
// signal for the owner (previous, next, first, last item) and rests at half the range.
// [ui thread] throughout, like the host window.
#pragma once

#include <cstdint>

#include "controls/NWControl.h"

class CNWDropDownCtrl : public CNWControl {
public:
    // `dots` non-zero: three dots stand where the arrow would be.
    CNWDropDownCtrl(CNWControlSite& site, uint8_t dots);

    void Draw(CDC& dc) override;
    void OnLButtonDown(UINT keyFlags, POINT point) override;
    void OnLButtonUp(UINT keyFlags, POINT point) override;
    void OnLButtonDblClk(UINT keyFlags, POINT point) override;
    // 1/3 previous, 2/4 next, 5 first, 6 last item (each a notified value that is then put
    // back to half), 7 the menu; 8-12 not handled.
    int DoAction(int action) override;
    // Space, F4 or Alt+Down open the menu, as a click does; the menu then takes the keys.
    int OnKeyDown(UINT key, UINT modifiers) override;
    // Places the arrow at the right end and the label before it.
    void Layout() override;

    // Appended operations.
    virtual void SetLabelMargins(int32_t top, int32_t left, int32_t bottom, int32_t right);
    virtual void SetBackgroundInsets(int32_t top, int32_t left, int32_t bottom, int32_t right);

    void SetArrowOnly(bool only) { arrowOnly = only ? 1 : 0; }
    void SetLabelFullWidth(bool full);
    void SetLabelAction(bool action);
    void SetOpenOnRelease(bool onRelease) { openOnRelease = onRelease ? 1 : 0; }
    void SetArrowSize(int32_t size);
    const RECT& GetArrowRect() const { return arrowRect; }
    const RECT& GetLabelRect() const { return labelRect; }

private:
    // What a click does at `point`: the label action, or the menu (`insideOnly`: only when
    // the point lies in the control).
    void Open(UINT keyFlags, POINT point, bool insideOnly);
    // Steps the owner one way and puts the value back to half without a word.
    void Signal(double signal);
    void DrawArrow(CDC& dc, COLORREF color);
    void DrawLabelText(CDC& dc, COLORREF color);

    int32_t arrowOnly = 0;
    int32_t labelFullWidth = 0;
    RECT arrowRect = {0, 0, 0, 0};
    RECT labelRect = {0, 0, 0, 0};
    int32_t labelAction = 0;
    int32_t openOnRelease = 1;
    int32_t arrowSize = 8;
    RECT labelMargins = {0, 0, 0, 0};      // as left, top, right, bottom
    RECT backgroundInsets = {0, 0, 0, 0};  // as left, top, right, bottom
    uint8_t dotsInsteadOfArrow;
};
