#include "controls/NWSliderCtrl.h"

#include "controls/NWControlSite.h"
#include "controls/NWSliderDrag.h"

CNWSliderCtrl::CNWSliderCtrl(CNWControlSite& owner) : CNWControl(owner) {
    rect = {0, 0, 50, 50};
    SetWheelMode(1);
}

void CNWSliderCtrl::SetRect(const RECT& newRect) {
    CNWControl::SetRect(newRect);
    barThickness = horizontal ? newRect.bottom - newRect.top : newRect.right - newRect.left;
}

RECT CNWSliderCtrl::GetBarRect() const {
    RECT bar = rect;
    if (horizontal) {
        bar.top = bar.bottom - barThickness;
    } else {
        bar.left = bar.right - barThickness;
    }
    return bar;
}

void CNWSliderCtrl::CancelTracking() {
    if (IsPressed()) {
        CNWControl::CancelTracking();
        CNWSliderDrag::End(*this);
    }
}

void CNWSliderCtrl::OnLButtonDown(UINT keyFlags, POINT point) {
    warpCursor = CNWSliderDrag::WarpForCurrentInput();
    if (!IsEnabled()) {
        return;
    }
    pressValue = value;
    CNWControl::OnLButtonDown(keyFlags, point);
    CNWSliderDrag::Begin(*this);
}

// A slider disabled in the middle of a drag ignores the release like any other input, but it
// still gives back the cursor it hid: a vanished cursor would outlast the drag.
void CNWSliderCtrl::OnLButtonUp(UINT, POINT) {
    if (!IsEnabled()) {
        CancelTracking();
        return;
    }
    EndChange();
    site.OnTrackingEnd();
    SetFlag(kMouseField, 0);
    CNWSliderDrag::End(*this);
}

void CNWSliderCtrl::OnRButtonUp(UINT keyFlags, POINT point) {
    if (!IsEnabled()) {
        return;
    }
    pressPoint = point;
    OfferMenu(keyFlags);
}

// The base treats the double-click as a press (without hiding the cursor) and, with the
// style's resendOnPress, restores the default value; the release that follows ends the change.
void CNWSliderCtrl::OnLButtonDblClk(UINT keyFlags, POINT point) {
    if (!IsEnabled()) {
        return;
    }
    CNWControl::OnLButtonDblClk(keyFlags, point);
    SetFlag(kMouseField, 0);
    pressValue = value;
}

void CNWSliderCtrl::OnMouseMove(UINT, POINT point) {
    if (skipNextMove || !IsPressed() || !IsEnabled()) {
        skipNextMove = 0;  // the move the warp caused, or no drag to follow
        lastPoint = point;
        return;
    }
    const POINT reference = CNWSliderDrag::Reference(warpCursor, pressPoint, lastPoint);
    const int toward = CNWSliderDrag::TowardHigher(point, reference, horizontal != 0);
    SetValue(Clamp(value + CNWSliderDrag::Delta(maxValue - minValue, toward, sensitivity)), 1, 1);
    if (style->GetOption(NWControlStyle::kTrackingTip)) {
        UpdateTrackingTip();
    }
    if (toward != 0 && warpCursor) {
        skipNextMove = 1;
        CNWSliderDrag::WarpCursorTo(site, pressPoint);
    }
    lastPoint = point;
}

int CNWSliderCtrl::DoAction(int action) {
    if (action != 7) {
        return CNWControl::DoAction(action);
    }
    if (!IsEnabled()) {
        return 0;
    }
    site.OnControlAction(this, 0);
    return 1;
}

void CNWSliderCtrl::SetHorizontal(int isHorizontal) {
    horizontal = isHorizontal ? 1 : 0;
    Redraw();
}

void CNWSliderCtrl::SetColors(COLORREF fill, COLORREF border, COLORREF litColor,
                              COLORREF separatorColor, COLORREF disabledColor, int isHollow) {
    fillColor = fill;
    borderColor = border;
    color3 = litColor;
    color4 = separatorColor;
    color5 = disabledColor;
    hollow = isHollow ? 1 : 0;
    Redraw();
}

void CNWSliderCtrl::SetMargins(int32_t x, int32_t y) {
    marginX = x;
    marginY = y;
    Redraw();
}

void CNWSliderCtrl::SetOrigin(double newOrigin) {
    origin = Clamp(newOrigin);
    Redraw();
}

void CNWSliderCtrl::SetSensitivity(double newSensitivity) {
    sensitivity = CNWSliderDrag::ClampSensitivity(newSensitivity);
}

void CNWSliderCtrl::SetPercentText(int on) {
    percentText = on;
    Redraw();
}

void CNWSliderCtrl::SetSolidFill(int on) {
    solidFill = on;
    Redraw();
}

void CNWSliderCtrl::SetBarThickness(int32_t thickness) {
    barThickness = thickness;
    Redraw();
}

void CNWSliderCtrl::SetSmoothBarFill(int on) {
    smoothBarFill = on;
    Redraw();
}

void CNWSliderCtrl::SetSmoothDrawing(int on) {
    smoothDrawing = on;
    Redraw();
}

void CNWSliderCtrl::SetParenthesised(int on) {
    parenthesised = on;
    Redraw();
}
