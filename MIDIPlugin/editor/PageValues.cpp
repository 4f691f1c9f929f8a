// From the parameter block to the controls: what each control shows, and the rate's two faces
// (note values in Notes mode, a number of ticks or milliseconds otherwise).
#include <cwchar>
#include <iterator>

#include "controls/NWDropDownCtrl.h"
#include "controls/NWEditControl.h"
#include "controls/NWMinMaxSlider.h"
#include "controls/NWMultiBtn.h"
#include "controls/NWSliderCtrl.h"
#include "editor/ArpeggiatorPage.h"
#include "editor/PageTexts.h"
#include "editor/PageValueMapping.h"
#include "resources/ResourceIds.h"

using pagevalues::RangeTop;
using pagevalues::ToUnit;

namespace {

std::wstring Format(const wchar_t* format, int32_t n) {
    wchar_t text[32];
    std::swprintf(text, std::size(text), format, static_cast<long>(n));
    return text;
}

}  // namespace

// A copy taken under the model's lock (recursive: callers may hold it already). A page
// without a model shows the defaults.
ArpeggiatorParams ArpeggiatorPage::Params() const {
    return model != nullptr ? model->Read() : DefaultArpeggiatorParams();
}

// A rateUnits outside 0..2 (stored settings only) gives 0 in the range -1..1: the box shows 0,
// the slider sits in its middle, and the rate controls change nothing.
void ArpeggiatorPage::GetRateRange(const ArpeggiatorParams& p, int32_t& value, int32_t& min,
                                   int32_t& max) const {
    if (p.rateUnits == kRateNotes) {
        value = p.noteValue;
        min = pagevalues::kNoteValue.min;
        max = pagevalues::kNoteValue.max;
    } else if (p.rateUnits == kRateTicks || p.rateUnits == kRateMilliseconds) {
        value = p.rateAmount;
        min = pagevalues::kRateAmount.min;
        max = pagevalues::kRateAmount.max;
    } else {
        value = 0;
        min = -1;
        max = 1;
    }
}

// [takes lock]
void ArpeggiatorPage::SetRateValue(int32_t n) {
    EditModel([n](ArpeggiatorParams& p) {
        if (p.rateUnits == kRateNotes) p.noteValue = n;
        if (p.rateUnits == kRateTicks || p.rateUnits == kRateMilliseconds) p.rateAmount = n;
    });
}

// [takes lock]
void ArpeggiatorPage::RefreshAllControls() {
    if (model == nullptr) return;
    model->View([this](const ArpeggiatorParams&) {
        for (CNWControl* control : GetControls()) UpdateControl(control);
    });
}

void ArpeggiatorPage::UpdateControl(CNWControl* control) {
    const ArpeggiatorParams p = Params();
    int32_t rate = 0, rateMin = 0, rateMax = 0;
    GetRateRange(p, rate, rateMin, rateMax);
    if (control == enableButton) UpdateSwitch(control, p.enabled);
    if (control == playThroughBox) UpdateSwitch(control, p.playOriginals);
    if (control == keepInRangeBox) UpdateSwitch(control, p.keepInRange);
    if (control == leftHandWindowBox) UpdateSwitch(control, p.leftHandWindowOn);
    if (control == unitsDropDown)
        control->SetValueText(OptionText(IDS_RATE_UNIT_FIRST, 3, p.rateUnits));
    if (control == pathDropDown)
        control->SetValueText(OptionText(IDS_PATH_FIRST, 4, p.pathDirection));
    if (control == rateSlider || control == rateBox) {
        control->SetValue(ToUnit(rate, rateMin, rateMax), 0, 1);
    }
    if (control == legatoSlider || control == legatoBox) {
        control->SetValue(ToUnit(p.legato, pagevalues::kLegato.min, pagevalues::kLegato.max), 0, 1);
    }
    if (control == swingSlider || control == swingBox) {
        control->SetValue(ToUnit(p.swing, pagevalues::kSwing.min, pagevalues::kSwing.max), 0, 1);
    }
    if (control == outputRangeSlider) UpdateRangeSlider(outputRangeSlider, p.arpBottom, p.arpSpan);
    if (control == chordRangeSlider) {
        UpdateRangeSlider(chordRangeSlider, p.leftHandBottom, p.leftHandSpan);
    }
    const int32_t keys[] = {p.arpBottom, RangeTop(p.arpBottom, p.arpSpan), p.leftHandBottom,
                            RangeTop(p.leftHandBottom, p.leftHandSpan)};
    CNWControl* const keyBoxes[] = {outputLowBox, outputHighBox, chordLowBox, chordHighBox};
    for (size_t i = 0; i < std::size(keyBoxes); ++i) {
        if (control == keyBoxes[i]) {
            control->SetValue(ToUnit(keys[i], pagevalues::kKey.min, pagevalues::kKey.max), 0, 1);
        }
    }
}

void ArpeggiatorPage::UpdateSwitch(CNWControl* control, int32_t setting) {
    control->SetValue(setting != 0 ? 1.0 : 0.0, 0, 1);
}

void ArpeggiatorPage::UpdateRangeSlider(CNWMinMaxSlider* slider, int32_t bottom, int32_t span) {
    slider->SetLow(ToUnit(bottom, pagevalues::kKey.min, pagevalues::kKey.max), 0, 1);
    slider->SetHigh(ToUnit(RangeTop(bottom, span), pagevalues::kKey.min, pagevalues::kKey.max), 0,
                    1);
}

std::wstring ArpeggiatorPage::OptionText(UINT firstStringId, int32_t count, int32_t index) const {
    return pagetext::Option(firstStringId, count, index);
}

// Reads the parameter block, not the control: the text always tells what the engine uses.
void ArpeggiatorPage::GetValueText(CNWControl* control, std::wstring& text, int) {
    const ArpeggiatorParams p = Params();
    if (control == rateBox) {
        int32_t rate = 0, rateMin = 0, rateMax = 0;
        GetRateRange(p, rate, rateMin, rateMax);
        text = p.rateUnits != kRateNotes ? Format(L"%ld", rate)
                                         : OptionText(IDS_NOTE_VALUE_FIRST, 11, p.noteValue);
    } else if (control == legatoBox) {
        text = Format(L"%ld%%", p.legato);
    } else if (control == swingBox) {
        text = Format(L"%ld%%", p.swing);
    } else if (control == outputLowBox) {
        text = pagetext::KeyText(p.arpBottom);
    } else if (control == outputHighBox) {
        text = pagetext::KeyText(RangeTop(p.arpBottom, p.arpSpan));
    } else if (control == chordLowBox) {
        text = pagetext::KeyText(p.leftHandBottom);
    } else if (control == chordHighBox) {
        text = pagetext::KeyText(RangeTop(p.leftHandBottom, p.leftHandSpan));
    } else if (control == chordDisplay) {
        text.clear();
    }
}
