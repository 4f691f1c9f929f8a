#include "controls/NWSliderDrag.h"

#include "controls/NWControl.h"
#include "controls/NWControlSite.h"
#include "controls/NWInputSource.h"

double CNWSliderDrag::ClampSensitivity(double candidate) {
    if (!(candidate >= kMinSensitivity)) {
        return kMinSensitivity;
    }
    return candidate > kMaxSensitivity ? kMaxSensitivity : candidate;
}

uint8_t CNWSliderDrag::WarpForCurrentInput() {
    return CNWInputSource::WarpsCursor(CNWInputSource::CurrentDevice()) ? 1 : 0;
}

void CNWSliderDrag::Begin(CNWControl& control) {
    control.GetSite().ShowDragCursor(false);
    if (control.GetStyle().GetOption(NWControlStyle::kTrackingTip)) {
        control.ShowTrackingTip();
    }
}

void CNWSliderDrag::WarpCursorTo(const CNWControlSite& site, POINT clientPoint) {
    site.ClientToScreen(clientPoint);
    SetCursorPos(clientPoint.x, clientPoint.y);
}

void CNWSliderDrag::End(CNWControl& control) {
    control.GetSite().ShowDragCursor(true);
    if (control.GetStyle().GetOption(NWControlStyle::kTrackingTip)) {
        control.HideTrackingTip();
    }
}
