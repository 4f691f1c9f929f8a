// From the controls to the parameter block: what the page writes when the user (or the page
// itself, through a notified SetValue) changed a control. Everything here runs while holding
// the filter's lock, so the engine sees each change whole; the two range pairs never leave
// their limits, and of their two ends the one the user grabbed wins.
#include <algorithm>

#include "controls/NWEditControl.h"
#include "controls/NWMinMaxSlider.h"
#include "controls/NWMultiBtn.h"
#include "controls/NWSliderCtrl.h"
#include "editor/ArpeggiatorPropPage.h"
#include "editor/PageValueMapping.h"
#include "engine/FilterAccess.h"

using pagevalues::FromUnit;
using pagevalues::kKey;

// [takes lock] The drop-downs and the chord display change nothing here: the drop-downs
// report through their menus, and the chord display is never edited.
void CArpeggiatorPropPage::OnValueChanged(CNWControl* control) {
    if (filter == nullptr) return;
    FilterAccess(*filter).EditParams([this, control](ArpeggiatorParams& p) {
        const double x = control->GetValue();
        if (ApplySwitch(control, x, p) || ApplyRate(control, x) ||
            ApplyLegatoOrSwing(control, x, p) || ApplyRangeBox(control, x, p)) {
            return;
        }
        if (control == outputRangeSlider) ApplyOutputRange(p);
        if (control == chordRangeSlider) ApplyChordRange(p);
    });
    InvalidateHost();
}

// Switching Play Through off makes the engine silence the notes it let through.
bool CArpeggiatorPropPage::ApplySwitch(CNWControl* control, double x, ArpeggiatorParams& p) {
    const int32_t on = x >= 0.5 ? 1 : 0;
    if (control == enableButton) {
        p.enabled = on;
    } else if (control == playThroughBox) {
        p.playOriginals = on;
        if (on == 0) FilterAccess(*filter).RequestFlushHeld();
    } else if (control == keepInRangeBox) {
        p.keepInRange = on;
    } else if (control == leftHandWindowBox) {
        p.leftHandWindowOn = on;
    } else {
        return false;
    }
    return true;
}

bool CArpeggiatorPropPage::ApplyRate(CNWControl* control, double x) {
    if (control != rateSlider && control != rateBox) return false;
    int32_t value = 0, min = 0, max = 0;
    GetRateRange(Params(), value, min, max);
    SetRateValue(FromUnit(x, min, max));
    UpdateControl(control == rateSlider ? static_cast<CNWControl*>(rateBox) : rateSlider);
    return true;
}

bool CArpeggiatorPropPage::ApplyLegatoOrSwing(CNWControl* control, double x, ArpeggiatorParams& p) {
    if (control == legatoSlider || control == legatoBox) {
        p.legato = FromUnit(x, pagevalues::kLegato.min, pagevalues::kLegato.max);
        UpdateControl(control == legatoSlider ? static_cast<CNWControl*>(legatoBox) : legatoSlider);
        return true;
    }
    if (control == swingSlider || control == swingBox) {
        p.swing = FromUnit(x, pagevalues::kSwing.min, pagevalues::kSwing.max);
        UpdateControl(control == swingSlider ? static_cast<CNWControl*>(swingBox) : swingSlider);
        return true;
    }
    return false;
}

// The arpeggio range: bottom 0..115, at least an octave, top at most 127.
void CArpeggiatorPropPage::ApplyOutputRange(ArpeggiatorParams& p) {
    int32_t lo = std::min(FromUnit(outputRangeSlider->GetLow(), kKey.min, kKey.max),
                          kKey.max - pagevalues::kOutputMinSpan);
    int32_t hi = std::max(FromUnit(outputRangeSlider->GetHigh(), kKey.min, kKey.max),
                          pagevalues::kOutputMinSpan);
    if (outputRangeSlider->GetGrabbedLow() != 0) {
        hi = std::max(hi, lo + pagevalues::kOutputMinSpan);
    } else {
        lo = std::min(lo, hi - pagevalues::kOutputMinSpan);
    }
    p.arpBottom = lo;
    p.arpSpan = hi - lo;
    UpdateControl(outputRangeSlider);
    UpdateControl(outputLowBox);
    UpdateControl(outputHighBox);
}

// The left-hand window: bottom 0..126, at least one key, top at most 127. The slider keeps
// the handle positions it has; only the boxes follow.
void CArpeggiatorPropPage::ApplyChordRange(ArpeggiatorParams& p) {
    int32_t lo = std::min(FromUnit(chordRangeSlider->GetLow(), kKey.min, kKey.max),
                          kKey.max - pagevalues::kChordMinSpan);
    int32_t hi = std::max(FromUnit(chordRangeSlider->GetHigh(), kKey.min, kKey.max),
                          pagevalues::kChordMinSpan);
    if (chordRangeSlider->GetGrabbedLow() != 0) {
        hi = std::max(hi, lo + pagevalues::kChordMinSpan);
    } else {
        lo = std::min(lo, hi - pagevalues::kChordMinSpan);
    }
    p.leftHandBottom = lo;
    p.leftHandSpan = hi - lo;
    UpdateControl(chordLowBox);
    UpdateControl(chordHighBox);
}

// The boxes do not clamp: their values come from a refresh (already valid) or from a typed
// number that was brought within the limits first. A low box keeps the top key where it was.
bool CArpeggiatorPropPage::ApplyRangeBox(CNWControl* control, double x, ArpeggiatorParams& p) {
    const int32_t n = FromUnit(x, kKey.min, kKey.max);
    if (control == outputLowBox) {
        const int32_t top = pagevalues::RangeTop(p.arpBottom, p.arpSpan);
        p.arpBottom = n;
        p.arpSpan = pagevalues::SpanOf(n, top);
    } else if (control == outputHighBox) {
        p.arpSpan = pagevalues::SpanOf(p.arpBottom, n);
    } else if (control == chordLowBox) {
        const int32_t top = pagevalues::RangeTop(p.leftHandBottom, p.leftHandSpan);
        p.leftHandBottom = n;
        p.leftHandSpan = pagevalues::SpanOf(n, top);
    } else if (control == chordHighBox) {
        p.leftHandSpan = pagevalues::SpanOf(p.leftHandBottom, n);
    } else {
        return false;
    }
    const bool output = control == outputLowBox || control == outputHighBox;
    UpdateControl(output ? outputRangeSlider : chordRangeSlider);
    return true;
}
