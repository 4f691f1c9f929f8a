// The range slider: a low and a high value on one track, kept ordered unless crossing is
// allowed. A press grabs the nearer handle, and the drag moves that one by distance, as the
// single slider moves its value (see CNWSliderDrag).
// [ui thread] throughout, like the host window.
#pragma once

#include <cstdint>

#include "controls/NWControl.h"

class CNWMinMaxSlider : public CNWControl {
public:
    explicit CNWMinMaxSlider(CNWControlSite& site);

    // Operations of CNWControl it changes.

    void Draw(CDC& dc) override;
    void DrawEx(IBaseGraphicWrap& context) override;
    void CancelTracking() override;
    void OnLButtonDown(UINT keyFlags, POINT point) override;
    void OnLButtonUp(UINT keyFlags, POINT point) override;
    // Ignored: a range has no default to go back to.
    void OnLButtonDblClk(UINT keyFlags, POINT point) override;
    void OnMouseMove(UINT keyFlags, POINT point) override;
    // Action 7 goes to the owner (OnControlAction); the others to the base.
    int DoAction(int action) override;
    // The keys move the focused end (the low one first) as the base's keys move a value, and
    // Space switches which end is focused. A moved end counts as the grabbed one.
    int OnKeyDown(UINT key, UINT modifiers) override;

    // Appended operations, in their fixed order.

    virtual void SetHorizontal(int isHorizontal);
    virtual void SetColors(COLORREF fill, COLORREF border, COLORREF litColor,
                           COLORREF separatorColor, COLORREF disabledColor, int isHollow);
    virtual void SetMargins(int32_t x, int32_t y);
    virtual void SetAllowCrossing(int allow);
    // Only when crossing is allowed and low > high.
    virtual bool IsCrossed() const;
    virtual void SetShowMarkers(int show);
    // Clamped into [0.01, 10.0].
    virtual void SetSensitivity(double newSensitivity);
    // 1 when the current drag moves the low handle, 0 for the high one.
    virtual int GetGrabbedLow() const { return grabbedLow; }
    virtual double GetLow() const { return lowValue; }
    // As SetValue, but neither clamped nor quantised (the caller clamps) and without the
    // accessibility event; unless crossing is allowed, a low above the high value carries
    // the high value along, silently. 0 when a notified change is refused (disabled).
    virtual int SetLow(double newLow, int notify = 1, int redraw = 1);
    virtual double GetHigh() const { return highValue; }
    // The mirror of SetLow: a high below the low value pushes the low value down.
    virtual int SetHigh(double newHigh, int notify = 1, int redraw = 1);
    // The range slider's own option: the lit part of the track as one solid bar instead of
    // segments, as the single slider's solidFill does.
    virtual void SetSolidFill(int on);
    virtual double GetSensitivity() const { return sensitivity; }
    // The frame, the lit part of the track between the handles, and the handle markers.
    virtual void DrawSlider(CDC& dc);
    virtual void DrawSliderEx(IBaseGraphicWrap& context);
    // 1 while the keys move the low end, 0 for the high end.
    virtual int GetKeyboardLow() const { return keyboardLow; }

    // Plain accessors.
    bool IsHorizontal() const { return horizontal != 0; }
    bool GetAllowCrossing() const { return allowCrossing != 0; }
    bool GetShowMarkers() const { return showMarkers != 0; }
    int32_t GetMarginX() const { return marginX; }
    int32_t GetMarginY() const { return marginY; }
    bool WarpsCursor() const { return warpCursor != 0; }
    bool SkipsNextMove() const { return skipNextMove != 0; }
    // The pixel of a value on the track that handle choice measures against: the rectangle
    // inset by the margins along the track, rounded to the nearest pixel.
    LONG TrackPixel(double trackValue) const;

private:
    // The handle nearer the pointer along the track; on a tie the high one (0).
    int ChooseHandle(POINT point) const;
    // SetValue's change step for one end: store, notify, ask for the text, redraw.
    void ChangeEnd(double& end, double newValue, int notify, int redraw);
    // DrawSlider's steps: lit segments (or the solid bar), then the two markers.
    void DrawTrack(CDC& dc, const RECT& inner, int segLow, int segHigh);
    void DrawSolidTrack(CDC& dc, const RECT& inner);
    void DrawMarkers(CDC& dc, int segLow, int segHigh);
    bool WrapsAround() const;
    bool IsLitSegment(int index, int segLow, int segHigh) const;
    COLORREF LitColor() const { return IsEnabled() ? color3 : color5; }

    int32_t horizontal = 0;
    double lowValue = 0.0;
    double highValue = 1.0;
    int32_t grabbedLow = 0;
    int32_t allowCrossing = 0;
    int32_t showMarkers = 1;
    double sensitivity = 1.0;
    int32_t marginX = 2;
    int32_t marginY = 2;
    // Colours.
    COLORREF fillColor = 0x000000;
    COLORREF borderColor = 0x00C000;
    COLORREF color3 = 0x00C000;  // lit segments and markers
    COLORREF color4 = 0x007F00;  // separators
    COLORREF color5 = 0x008C00;  // lit segments and markers of a disabled slider
    int32_t hollow = 0;
    // The option.
    int32_t solidFill = 0;
    // The drag.
    uint8_t warpCursor = 0;
    uint8_t skipNextMove = 0;
    // The end the keys move.
    int32_t keyboardLow = 1;
};
