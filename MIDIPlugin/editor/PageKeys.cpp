// The page's keys beyond the toolkit's: the value boxes step their own number (one for an
// arrow, ten for Page Up/Down, the limits for Home/End), as the number editor's "+"/"-" and
// "]"/"[" would, through the same path as a typed number; Enter opens the editor only on a
// box that takes a typed number. The sliders and buttons keep the toolkit's keys.
#include <algorithm>

#include "controls/NWEditControl.h"
#include "editor/ArpeggiatorPage.h"
#include "editor/PageValueMapping.h"

namespace {

constexpr int64_t kLineStep = 1;
constexpr int64_t kPageStep = 10;

}  // namespace

// A value box's number steps by whole units: the toolkit's line step of a 0..1 value would
// move legato or the rate by less than one unit and round to no change at all.
bool ArpeggiatorPage::OnControlKey(CNWControl* control, UINT key, UINT) {
    if (model == nullptr || control == chordDisplay) return false;
    NumberEntry entry = {};
    if (!StepEntryFor(control, Params(), entry)) return false;
    int64_t n = entry.current;
    switch (key) {
        case VK_RIGHT:
        case VK_UP:
            n += kLineStep;
            break;
        case VK_LEFT:
        case VK_DOWN:
            n -= kLineStep;
            break;
        case VK_PRIOR:
            n += kPageStep;
            break;
        case VK_NEXT:
            n -= kPageStep;
            break;
        case VK_HOME:
            n = entry.min;
            break;
        case VK_END:
            n = entry.max;
            break;
        default:
            return false;
    }
    SetBoxNumber(control, static_cast<int32_t>(std::clamp<int64_t>(n, entry.min, entry.max)));
    return true;
}

bool ArpeggiatorPage::WantsEnter(CNWControl* control) {
    NumberEntry entry = {};
    return model != nullptr && NumberEntryFor(control, Params(), entry);
}

// What a box steps: its typed number, or, for the rate box in Notes mode, the note value.
bool ArpeggiatorPage::StepEntryFor(CNWControl* control, const ArpeggiatorParams& p,
                                   NumberEntry& entry) const {
    if (control == rateBox && p.rateUnits == kRateNotes) {
        entry = {p.noteValue, pagevalues::kNoteValue.min, pagevalues::kNoteValue.max};
        return true;
    }
    return NumberEntryFor(control, p, entry);
}

void ArpeggiatorPage::SetBoxNumber(CNWControl* control, int32_t n) {
    if (control == rateBox && Params().rateUnits == kRateNotes) {
        rateBox->SetValue(
            pagevalues::ToUnit(n, pagevalues::kNoteValue.min, pagevalues::kNoteValue.max), 1, 1);
        return;
    }
    ApplyTypedNumber(control, n);
}
