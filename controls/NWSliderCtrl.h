// The single-value slider: a bar whose lit segments run from the origin to the value. It is
// dragged by distance, not by position (see CNWSliderDrag), and its owner hears every change
// through the site's OnValueChanged.
// [ui thread] throughout, like the host window.
#pragma once

#include <cstdint>

#include "controls/NWControl.h"

class CNWSliderCtrl : public CNWControl {
public:
    explicit CNWSliderCtrl(CNWControlSite& site);

    // Operations of CNWControl it changes.

    void Draw(CDC& dc) override;
    void DrawEx(IBaseGraphicWrap& context) override;
    // Also makes the bar as thick as the rectangle across the track.
    void SetRect(const RECT& newRect) override;
    void CancelTracking() override;
    void OnLButtonDown(UINT keyFlags, POINT point) override;
    void OnLButtonUp(UINT keyFlags, POINT point) override;
    // Offers the owner a popup menu (OnControlMenu) and destroys it afterwards.
    void OnRButtonUp(UINT keyFlags, POINT point) override;
    void OnLButtonDblClk(UINT keyFlags, POINT point) override;
    void OnMouseMove(UINT keyFlags, POINT point) override;
    // Action 7 goes to the owner (OnControlAction); the others to the base.
    int DoAction(int action) override;

    // Appended operations, in their fixed order.

    virtual void SetHorizontal(int isHorizontal);
    virtual void SetColors(COLORREF fill, COLORREF border, COLORREF litColor,
                           COLORREF separatorColor, COLORREF disabledColor, int isHollow);
    virtual void SetMargins(int32_t x, int32_t y);
    // Clamped into the range.
    virtual void SetOrigin(double newOrigin);
    // Clamped into [0.01, 10.0].
    virtual void SetSensitivity(double newSensitivity);
    virtual void SetPercentText(int on);
    virtual void SetSolidFill(int on);
    virtual void SetBarThickness(int32_t thickness);
    virtual void SetSmoothBarFill(int on);
    virtual void SetSmoothDrawing(int on);
    virtual void SetParenthesised(int on);
    virtual double GetSensitivity() const { return sensitivity; }
    // The inside of the bar: the segments (or a solid bar) and the value text.
    virtual void DrawFill(CDC& dc, const RECT& bar);
    virtual void DrawFillEx(IBaseGraphicWrap& context, const RECT& bar);

    // Plain accessors.
    bool IsHorizontal() const { return horizontal != 0; }
    double GetOrigin() const { return origin; }
    double GetPressValue() const { return pressValue; }
    int32_t GetBarThickness() const { return barThickness; }
    int32_t GetMarginX() const { return marginX; }
    int32_t GetMarginY() const { return marginY; }
    bool IsHollow() const { return hollow != 0; }
    bool WarpsCursor() const { return warpCursor != 0; }
    bool SkipsNextMove() const { return skipNextMove != 0; }
    // The rectangle the bar occupies: anchored at the bottom (horizontal) or right (vertical)
    // edge, barThickness across the track.
    RECT GetBarRect() const;

private:
    // Draw step 4: the bar's outline and background.
    void DrawBar(CDC& dc, const RECT& bar);
    // The value text, in a box centred on the value's position and kept inside the control.
    void DrawValueText(CDC& dc, LONG valuePosition);
    RECT ValueTextBox(CDC& dc, LONG valuePosition) const;
    // "%d" of the value, or "%d%%" of its percentage of max, maybe in parentheses.
    void FormatValueText(wchar_t* text, size_t capacity) const;
    COLORREF LitColor() const { return IsEnabled() ? color3 : color5; }

    int32_t horizontal = 0;
    double pressValue = 0.0;
    double origin = 0.0;
    double sensitivity = 1.0;
    int32_t marginX = 2;
    int32_t marginY = 2;
    int32_t barThickness = 50;
    // Colours.
    COLORREF fillColor = 0x000000;
    COLORREF borderColor = 0x00C000;
    COLORREF color3 = 0x00C000;  // lit segments
    COLORREF color4 = 0x007F00;  // separators
    COLORREF color5 = 0x008C00;  // lit segments of a disabled slider
    int32_t hollow = 0;
    // Options.
    int32_t percentText = 0;
    int32_t solidFill = 0;
    int32_t smoothBarFill = 0;
    int32_t smoothDrawing = 0;
    int32_t parenthesised = 0;
    // The drag.
    uint8_t warpCursor = 0;
    uint8_t skipNextMove = 0;
};
