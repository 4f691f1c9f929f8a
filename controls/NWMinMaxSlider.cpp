#include "controls/NWMinMaxSlider.h"

#include <cstdlib>

#include "controls/NWControlSite.h"
#include "controls/NWSliderDrag.h"
#include "controls/NWSliderPaint.h"

CNWMinMaxSlider::CNWMinMaxSlider(CNWControlSite& owner) : CNWControl(owner) {
    rect = {0, 0, 50, 50};
}

void CNWMinMaxSlider::CancelTracking() {
    if (IsPressed()) {
        CNWControl::CancelTracking();
        CNWSliderDrag::End(*this);
    }
}

// Not the base press: that would re-send the base value, which a range slider does not use.
void CNWMinMaxSlider::OnLButtonDown(UINT, POINT point) {
    warpCursor = CNWSliderDrag::WarpForCurrentInput();
    if (!IsEnabled()) {
        return;
    }
    pressPoint = point;
    lastPoint = point;
    SetFlag(kMouseField, 1);
    BeginChange();
    grabbedLow = ChooseHandle(point);
    if (style->GetOption(NWControlStyle::kResendOnPress)) {
        if (grabbedLow) {
            SetLow(GetLow(), 1);
        } else {
            SetHigh(GetHigh(), 1);
        }
    }
    CNWSliderDrag::Begin(*this);
}

// As the single slider: a slider disabled mid-drag still gives back the cursor it hid.
void CNWMinMaxSlider::OnLButtonUp(UINT, POINT) {
    if (!IsEnabled()) {
        CancelTracking();
        return;
    }
    EndChange();
    site.OnTrackingEnd();
    SetFlag(kMouseField, 0);
    CNWSliderDrag::End(*this);
}

void CNWMinMaxSlider::OnLButtonDblClk(UINT, POINT) {}

void CNWMinMaxSlider::OnMouseMove(UINT, POINT point) {
    if (skipNextMove || !IsPressed() || !IsEnabled()) {
        skipNextMove = 0;  // the move the warp caused, or no drag to follow
        lastPoint = point;
        return;
    }
    const POINT reference = CNWSliderDrag::Reference(warpCursor, pressPoint, lastPoint);
    const int toward = CNWSliderDrag::TowardHigher(point, reference, horizontal != 0);
    const double delta = CNWSliderDrag::Delta(maxValue - minValue, toward, sensitivity);
    if (grabbedLow) {
        SetLow(Clamp(lowValue + delta), 1);
    } else {
        SetHigh(Clamp(highValue + delta), 1);
    }
    if (style->GetOption(NWControlStyle::kTrackingTip)) {
        UpdateTrackingTip();
    }
    if (toward != 0 && warpCursor) {
        skipNextMove = 1;
        CNWSliderDrag::WarpCursorTo(site, pressPoint);
    }
    lastPoint = point;
}

int CNWMinMaxSlider::DoAction(int action) {
    if (action != 7) {
        return CNWControl::DoAction(action);
    }
    if (!IsEnabled()) {
        return 0;
    }
    site.OnControlAction(this, 0);
    return 1;
}

int CNWMinMaxSlider::OnKeyDown(UINT key, UINT) {
    if (!IsEnabled()) {
        return 0;
    }
    if (key == VK_SPACE) {
        keyboardLow = keyboardLow ? 0 : 1;
        Redraw();  // the site's focus frame marks the end the keys move
        return 1;
    }
    const double end = keyboardLow ? lowValue : highValue;
    double moved = end;
    switch (key) {
        case VK_RIGHT:
        case VK_UP:
            moved = end + GetLineStep();
            break;
        case VK_LEFT:
        case VK_DOWN:
            moved = end - GetLineStep();
            break;
        case VK_PRIOR:
            moved = end + GetPageStep();
            break;
        case VK_NEXT:
            moved = end - GetPageStep();
            break;
        case VK_HOME:
            moved = minValue;
            break;
        case VK_END:
            moved = maxValue;
            break;
        default:
            return 0;
    }
    grabbedLow = keyboardLow;
    if (keyboardLow) {
        SetLow(Clamp(moved), 1);
    } else {
        SetHigh(Clamp(moved), 1);
    }
    return 1;
}

LONG CNWMinMaxSlider::TrackPixel(double trackValue) const {
    const double fraction = CNWSliderPaint::Fraction(trackValue, minValue, maxValue);
    if (horizontal) {
        const LONG first = rect.left + marginX;
        const LONG length = rect.right - marginX - first;
        return first + static_cast<LONG>(fraction * length + 0.5);
    }
    const LONG first = rect.bottom - marginY;
    const LONG length = first - (rect.top + marginY);
    return first - static_cast<LONG>(fraction * length + 0.5);
}

int CNWMinMaxSlider::ChooseHandle(POINT point) const {
    const LONG pointer = horizontal ? point.x : point.y;
    return std::labs(pointer - TrackPixel(lowValue)) < std::labs(pointer - TrackPixel(highValue))
               ? 1
               : 0;
}

bool CNWMinMaxSlider::IsCrossed() const { return allowCrossing && lowValue > highValue; }

int CNWMinMaxSlider::SetLow(double newLow, int notify, int redraw) {
    if (notify && !IsEnabled()) {
        return 0;
    }
    const bool bracket = notify && changeDepth == 0;
    if (bracket) {
        BeginChange();
    }
    if (!allowCrossing && newLow > highValue) {
        SetHigh(newLow, 0, redraw);
    }
    ChangeEnd(lowValue, newLow, notify, redraw);
    if (bracket) {
        EndChange();
    }
    return 1;
}

int CNWMinMaxSlider::SetHigh(double newHigh, int notify, int redraw) {
    if (notify && !IsEnabled()) {
        return 0;
    }
    const bool bracket = notify && changeDepth == 0;
    if (bracket) {
        BeginChange();
    }
    if (!allowCrossing && newHigh < lowValue) {
        SetLow(newHigh, 0, redraw);
    }
    ChangeEnd(highValue, newHigh, notify, redraw);
    if (bracket) {
        EndChange();
    }
    return 1;
}

void CNWMinMaxSlider::ChangeEnd(double& end, double newValue, int notify, int redraw) {
    if (newValue == end) {
        if (valueText.empty()) {
            site.GetValueText(this, valueText, 0);
        }
        return;
    }
    lastChangeTick = GetTickCount();
    end = newValue;
    if (notify || notifyAlways) {
        site.OnValueChanged(this);
    }
    site.GetValueText(this, valueText, 0);
    if (IsVisible() && redraw) {
        const RECT invalid = GetInvalidRect();
        site.InvalidateControl(this, &invalid);
    }
}

void CNWMinMaxSlider::SetHorizontal(int isHorizontal) {
    horizontal = isHorizontal ? 1 : 0;
    Redraw();
}

void CNWMinMaxSlider::SetColors(COLORREF fill, COLORREF border, COLORREF litColor,
                                COLORREF separatorColor, COLORREF disabledColor, int isHollow) {
    fillColor = fill;
    borderColor = border;
    color3 = litColor;
    color4 = separatorColor;
    color5 = disabledColor;
    hollow = isHollow ? 1 : 0;
    Redraw();
}

void CNWMinMaxSlider::SetMargins(int32_t x, int32_t y) {
    marginX = x;
    marginY = y;
    Redraw();
}

void CNWMinMaxSlider::SetAllowCrossing(int allow) {
    allowCrossing = allow ? 1 : 0;
    Redraw();
}

void CNWMinMaxSlider::SetShowMarkers(int show) {
    showMarkers = show ? 1 : 0;
    Redraw();
}

void CNWMinMaxSlider::SetSensitivity(double newSensitivity) {
    sensitivity = CNWSliderDrag::ClampSensitivity(newSensitivity);
}

void CNWMinMaxSlider::SetSolidFill(int on) {
    solidFill = on ? 1 : 0;
    Redraw();
}
