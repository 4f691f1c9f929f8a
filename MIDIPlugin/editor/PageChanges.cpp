// From the controls to the parameter block: what the page writes when the user (or the page
// itself, through a notified SetValue) changed a control. Everything here runs while holding
// the model's lock, so the engine sees each change whole; the two range pairs never leave
// their limits, and of their two ends the one the user moved wins (PutRange).
#include <algorithm>

#include "controls/NWEditControl.h"
#include "controls/NWMinMaxSlider.h"
#include "controls/NWMultiBtn.h"
#include "controls/NWSliderCtrl.h"
#include "editor/ArpeggiatorPage.h"
#include "editor/PageValueMapping.h"

using pagevalues::FromUnit;
using pagevalues::kKey;

// [takes lock] The drop-downs and the chord display change nothing here: the drop-downs
// report through their menus, and the chord display is never edited.
void ArpeggiatorPage::OnValueChanged(CNWControl* control) {
    if (model == nullptr) return;
    EditModel([this, control](ArpeggiatorParams& p) {
        const double x = control->GetValue();
        if (ApplySwitch(control, x, p) || ApplyRate(control, x) ||
            ApplyLegatoOrSwing(control, x, p) || ApplyRangeBox(control, x, p)) {
            return;
        }
        if (control == outputRangeSlider || control == chordRangeSlider) {
            ApplyRangeSlider(static_cast<CNWMinMaxSlider*>(control), p);
        }
    });
    InvalidateHost();
}

// Switching Play Through off makes the engine silence the notes it let through.
bool ArpeggiatorPage::ApplySwitch(CNWControl* control, double x, ArpeggiatorParams& p) {
    const int32_t on = x >= 0.5 ? 1 : 0;
    if (control == enableButton) {
        p.enabled = on;
    } else if (control == playThroughBox) {
        p.playOriginals = on;
        if (on == 0) model->FlushHeld();
    } else if (control == keepInRangeBox) {
        p.keepInRange = on;
    } else if (control == leftHandWindowBox) {
        p.leftHandWindowOn = on;
    } else {
        return false;
    }
    return true;
}

bool ArpeggiatorPage::ApplyRate(CNWControl* control, double x) {
    if (control != rateSlider && control != rateBox) return false;
    int32_t value = 0, min = 0, max = 0;
    GetRateRange(Params(), value, min, max);
    SetRateValue(FromUnit(x, min, max));
    UpdateControl(control == rateSlider ? static_cast<CNWControl*>(rateBox) : rateSlider);
    return true;
}

bool ArpeggiatorPage::ApplyLegatoOrSwing(CNWControl* control, double x, ArpeggiatorParams& p) {
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

// A handle moved, by a drag or a key: the grabbed end is the moved one.
void ArpeggiatorPage::ApplyRangeSlider(CNWMinMaxSlider* slider, ArpeggiatorParams& p) {
    PutRange(p, slider, slider->GetGrabbedLow() != 0,
             FromUnit(slider->GetLow(), kKey.min, kKey.max),
             FromUnit(slider->GetHigh(), kKey.min, kKey.max));
}

// A box's value is only the key it asks for: the range rules still apply.
bool ArpeggiatorPage::ApplyRangeBox(CNWControl* control, double x, ArpeggiatorParams& p) {
    if (!IsRangeBox(control)) return false;
    SetRangeEnd(p, control, FromUnit(x, kKey.min, kKey.max));
    return true;
}

bool ArpeggiatorPage::IsRangeBox(const CNWControl* control) const {
    return control == outputLowBox || control == outputHighBox || control == chordLowBox ||
           control == chordHighBox;
}

// The box's end moves to `key`; the other end is the block's, whatever a loaded block held.
void ArpeggiatorPage::SetRangeEnd(ArpeggiatorParams& p, CNWControl* box, int32_t key) {
    const bool output = box == outputLowBox || box == outputHighBox;
    const int32_t lo = output ? p.arpBottom : p.leftHandBottom;
    const int32_t hi = pagevalues::RangeTop(lo, output ? p.arpSpan : p.leftHandSpan);
    if (box == outputLowBox || box == chordLowBox) {
        PutRange(p, box, true, key, hi);
    } else {
        PutRange(p, box, false, lo, key);
    }
}

// Every change of a range end passes here, whatever its source (handle drag, key, typed
// number, screen reader, a box's value): the moved end wins and pushes the other, so that the
// arpeggio range keeps an octave and the left-hand window one key, both inside 0..127. `lo`
// and `hi` are the ends as the source sees them, each within 0..127 or a stored key. The
// boxes and the output slider then show the block; the chord window's slider keeps the handle
// positions its own drag left, as a drag of it always has.
void ArpeggiatorPage::PutRange(ArpeggiatorParams& p, CNWControl* source, bool lowMoved, int32_t lo,
                               int32_t hi) {
    const bool output =
        source == outputRangeSlider || source == outputLowBox || source == outputHighBox;
    const int32_t minSpan = output ? pagevalues::kOutputMinSpan : pagevalues::kChordMinSpan;
    const pagevalues::KeyRange range = lowMoved ? pagevalues::WithLowSet(lo, hi, minSpan)
                                                : pagevalues::WithHighSet(lo, hi, minSpan);
    (output ? p.arpBottom : p.leftHandBottom) = range.lo;
    (output ? p.arpSpan : p.leftHandSpan) = range.hi - range.lo;
    if (source != chordRangeSlider) UpdateControl(output ? outputRangeSlider : chordRangeSlider);
    UpdateControl(output ? outputLowBox : chordLowBox);
    UpdateControl(output ? outputHighBox : chordHighBox);
}
