#include "controls/NWToggleControl.h"

#include "controls/NWControlSite.h"

CNWToggleControl::CNWToggleControl(CNWControlSite& owner, int32_t type)
    : CNWControl(owner), buttonType(type) {}

void CNWToggleControl::Act(UINT keyFlags) {
    if (toggles && ResendsOnPress()) {
        SetValue(value < 0.5 ? 1.0 : 0.0, 1, 1);
    }
    if (notifyAction) {
        site.OnControlAction(this, keyFlags);
    }
}

void CNWToggleControl::OnLButtonDown(UINT keyFlags, POINT point) {
    if (ActsOnPress() && IsEnabled()) {
        Act(keyFlags);
    }
    Redraw();
    CNWControl::OnLButtonDown(keyFlags, point);
}

// The host hands a release to the control under the pointer even when the press began
// elsewhere; only a release that ends this button's own press acts, so that a drag from the
// background onto the button, or the release after a double-click, does not flip it.
void CNWToggleControl::OnLButtonUp(UINT keyFlags, POINT point) {
    lastPoint = point;
    if (ActsOnRelease() && IsEnabled() && IsPressed()) {
        bool inside = true;
        if (buttonType == kPush) {
            EndChange();
            BeginChange();
            inside = PtInRect(&rect, point) != 0;
        }
        if (inside) {
            Act(keyFlags);
        }
    }
    Redraw();
    EndChange();
    site.OnTrackingEnd();
    SetFlag(kMouseField, 0);
}

// The second click of a double-click arrives without a press of its own: a push button
// treats it as a whole click, the other types as a press whose release follows.
void CNWToggleControl::OnLButtonDblClk(UINT keyFlags, POINT point) {
    if (buttonType == kPush) {
        pressPoint = point;
        SetFlag(kMouseField, 1);
        OnLButtonUp(keyFlags, point);
    } else {
        OnLButtonDown(keyFlags, point);
    }
}

void CNWToggleControl::OnRButtonUp(UINT keyFlags, POINT) { OfferMenu(keyFlags); }

int CNWToggleControl::DoAction(int action) {
    if (!IsEnabled()) {
        return 0;
    }
    const double half = (maxValue - minValue) * 0.5;
    const bool wasOn = value >= half;
    switch (action) {
        case 1:
        case 3:
        case 5:
            if (ResendsOnPress()) SetValue(0.0, 1, 1);
            if (wasOn) site.OnControlAction(this, 0);
            return 1;
        case 2:
        case 4:
        case 6:
            if (ResendsOnPress()) SetValue(1.0, 1, 1);
            if (!wasOn) site.OnControlAction(this, 0);
            return 1;
        case 7:
            if (ResendsOnPress()) SetValue(wasOn ? 0.0 : 1.0, 1, 1);
            site.OnControlAction(this, 0);
            return 1;
        default:
            return CNWControl::DoAction(action);
    }
}

int CNWToggleControl::OnKeyDown(UINT key, UINT) { return key == VK_SPACE ? DoAction(7) : 0; }
