// Typed numbers: a double-click on a value box opens the toolkit's in-place editor over it;
// the confirmed number goes into the box with notification, so that OnValueChanged writes it.
#include <algorithm>
#include <cwchar>
#include <iterator>

#include "controls/CellPropEditCtrl.h"
#include "controls/NWEditControl.h"
#include "editor/ArpeggiatorPage.h"
#include "editor/PageValueMapping.h"
#include "propvalues/PropInt.h"

using pagevalues::kKey;
using pagevalues::ToUnit;

void ArpeggiatorPage::OnControlAction(CNWControl* control, UINT) {
    if (model == nullptr) return;
    NumberEntry entry = {};
    if (!NumberEntryFor(control, Params(), entry)) return;
    int32_t n = entry.current;
    if (EditNumber(n, control, entry.min, entry.max, entry.current)) ApplyTypedNumber(control, n);
}

// Which boxes take a typed number, and within which limits. In Notes mode the rate box steps
// through note values only and cannot be typed into.
bool ArpeggiatorPage::NumberEntryFor(CNWControl* control, const ArpeggiatorParams& p,
                                     NumberEntry& entry) const {
    if (control == rateBox && p.rateUnits > kRateNotes) {
        entry = {p.rateAmount, pagevalues::kRateAmount.min, pagevalues::kRateAmount.max};
    } else if (control == legatoBox) {
        entry = {p.legato, pagevalues::kLegato.min, pagevalues::kLegato.max};
    } else if (control == swingBox) {
        entry = {p.swing, pagevalues::kSwing.min, pagevalues::kSwing.max};
    } else if (control == outputLowBox) {
        entry = {p.arpBottom, kKey.min, kKey.max};
    } else if (control == outputHighBox) {
        entry = {pagevalues::RangeTop(p.arpBottom, p.arpSpan), kKey.min, kKey.max};
    } else if (control == chordLowBox) {
        entry = {p.leftHandBottom, kKey.min, kKey.max};
    } else if (control == chordHighBox) {
        entry = {pagevalues::RangeTop(p.leftHandBottom, p.leftHandSpan), kKey.min, kKey.max};
    } else {
        return false;
    }
    return true;
}

// Runs the editor's own message loop on this thread; the model's lock is not held meanwhile.
// The editor accepts only a whole number within [min, max]; a stored number outside them is
// still shown as it is, and has to be replaced before the edit can be confirmed.
bool ArpeggiatorPage::EditNumber(int32_t& n, CNWControl* control, int32_t min, int32_t max,
                                 int32_t current) {
    CPropInt number(std::clamp(current, min, max), min, max);
    CCellPropEditCtrl editor(nullptr, &number, CCellPropEditCtrl::kNoLengthLimit);
    wchar_t text[16];
    std::swprintf(text, std::size(text), L"%ld", static_cast<long>(current));
    constexpr int kSpinOption = 2;
    constexpr UINT kEditId = 1;
    if (editor.EditModal(GetSafeHwnd(), control->GetRect(), WS_BORDER | ES_AUTOHSCROLL, 0,
                         kSpinOption, labelFont, kEditId, text, 0, nullptr) != 1) {
        return false;
    }
    n = number.GetValue();
    return true;
}

// [takes lock] A range box's number goes straight to the range rules: a value box that
// already shows the number (a stored key beyond 0..127 is shown clamped) would not notify.
void ArpeggiatorPage::ApplyTypedNumber(CNWControl* control, int32_t n) {
    EditModel([this, control, n](ArpeggiatorParams& p) {
        NumberEntry entry = {};
        if (!NumberEntryFor(control, p, entry)) return;
        if (IsRangeBox(control)) {
            SetRangeEnd(p, control, n);
        } else {
            control->SetValue(ToUnit(n, entry.min, entry.max), 1, 1);
        }
    });
    InvalidateHost();
}
