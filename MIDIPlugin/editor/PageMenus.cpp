// The two drop-downs: their menus, and what choosing a path or a unit does. A change of
// units carries the step's length over into the new unit where the host can convert it.
#include <algorithm>
#include <cmath>

#include "controls/NWDropDownCtrl.h"
#include "controls/NWEditControl.h"
#include "controls/NWSliderCtrl.h"
#include "controls/win/Menu.h"
#include "editor/ArpeggiatorPage.h"
#include "editor/PageTexts.h"
#include "editor/PageValueMapping.h"
#include "engine/HostInterfaces.h"
#include "resources/ResourceIds.h"

namespace {

void AppendItems(CMenu& menu, UINT firstStringId, UINT firstCommand, UINT count) {
    for (UINT i = 0; i < count; ++i) {
        menu.AppendMenu(MF_STRING, firstCommand + i, pagetext::Load(firstStringId + i).c_str());
    }
}

int32_t ClampRate(int64_t amount) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(amount, pagevalues::kRateAmount.min, pagevalues::kRateAmount.max));
}

}  // namespace

// The chosen item comes back as WM_COMMAND to the page window. No item is checked.
void ArpeggiatorPage::OnControlMenu(CNWControl* control, UINT, CMenu& menu) {
    if (control == pathDropDown) {
        AppendItems(menu, IDS_PATH_FIRST, kFirstPathCommand, 4);
    } else if (control == unitsDropDown) {
        AppendItems(menu, IDS_RATE_UNIT_FIRST, kFirstUnitsCommand, 3);
    } else {
        return;
    }
    const RECT rect = control->GetRect();
    POINT corner = {rect.left, rect.bottom + 1};
    ClientToScreen(corner);
    menu.TrackPopupMenu(0, corner.x, corner.y, GetSafeHwnd());
}

// [takes lock]
void ArpeggiatorPage::OnPathCommand(UINT id) {
    if (model == nullptr) return;
    EditModel([this, id](ArpeggiatorParams& p) {
        p.pathDirection = static_cast<int32_t>(id - kFirstPathCommand);
        UpdateControl(pathDropDown);
    });
}

// [takes lock, then refreshes the rate controls after releasing it]
void ArpeggiatorPage::OnUnitsCommand(UINT id) {
    if (model == nullptr) return;
    const int32_t current = pagevalues::FromUnit(
        rateSlider->GetValue(), pagevalues::kRateAmount.min, pagevalues::kRateAmount.max);
    EditModel([this, id, current](ArpeggiatorParams& p) {
        const int32_t oldUnits = p.rateUnits;
        p.rateUnits = static_cast<int32_t>(id - kFirstUnitsCommand);
        ConvertRate(p, oldUnits, p.rateUnits, current);
    });
    // Away from the value the refresh sets, so that the box formats its text in the new unit.
    rateBox->SetValue(0.0, 0, 1);
    UpdateControl(unitsDropDown);
    UpdateControl(rateSlider);
    UpdateControl(rateBox);
    // When the new value is that 0.0 too, the refresh finds nothing changed and keeps the old
    // unit's text ("1/32" for a rate of 1): the text is set here in that case.
    std::wstring text;
    GetValueText(rateBox, text, 0);
    rateBox->SetValueText(text);
}

// Only with the host's time converter, and only into ticks or milliseconds; a switch to Notes
// keeps the old noteValue. A noteValue outside the note table (stored settings only) has no
// length, and nothing is converted.
void ArpeggiatorPage::ConvertRate(ArpeggiatorParams& p, int32_t oldUnits, int32_t newUnits,
                                  int32_t current) {
    IHostTimeConverter* converter = model->TimeConverter();
    if (newUnits == kRateNotes || converter == nullptr) return;
    if (oldUnits == kRateNotes) {
        if (p.noteValue < 0 ||
            p.noteValue >= static_cast<int32_t>(pagevalues::kNoteLengths.size())) {
            return;
        }
        const double ticks = converter->GetTicksPerQuarter() *
                             pagevalues::kNoteLengths[static_cast<size_t>(p.noteValue)];
        if (newUnits == kRateTicks) p.rateAmount = ClampRate(static_cast<int64_t>(ticks + 0.5));
        if (newUnits == kRateMilliseconds) {
            p.rateAmount = ClampRate(converter->TicksToMs(static_cast<int32_t>(ticks)));
        }
    } else if (oldUnits == kRateTicks && newUnits == kRateMilliseconds) {
        p.rateAmount = ClampRate(converter->TicksToMs(current));
    } else if (oldUnits == kRateMilliseconds && newUnits == kRateTicks) {
        p.rateAmount = ClampRate(converter->MsToTicks(current));
    }
}
