// What a screen reader reads and sets on the page, through the toolkit's Active Accessibility
// object: each control's name (its label), its value as the page shows it, its role, and the
// values a reader may set, which take the same path as the mouse and the number editor.
#include <algorithm>
#include <iterator>

#include "controls/NWDropDownCtrl.h"
#include "controls/NWEditControl.h"
#include "controls/NWMinMaxSlider.h"
#include "controls/NWMultiBtn.h"
#include "controls/NWSliderCtrl.h"
#include "editor/ArpeggiatorPage.h"
#include "editor/PageTexts.h"
#include "editor/PageValueMapping.h"
#include "propvalues/PropInt.h"
#include "resources/ResourceIds.h"

#include <oleacc.h>

// The labels drawn on the skin, and names for the controls that have none there. A slider
// and its box share the label; their roles tell them apart. The page itself is its title.
void ArpeggiatorPage::GetAccessibleName(CNWControl* control, std::wstring& text) {
    if (control == nullptr) {
        text = pagetext::Load(IDS_PAGE_TITLE);
        return;
    }
    const std::pair<const CNWControl*, const wchar_t*> names[] = {
        {enableButton, L"Enable"},
        {playThroughBox, L"Play Through"},
        {keepInRangeBox, L"Keep in range"},
        {leftHandWindowBox, L"Left-hand window"},
        {unitsDropDown, L"Units"},
        {pathDropDown, L"Path"},
        {rateSlider, L"Rate"},
        {legatoSlider, L"Legato"},
        {swingSlider, L"Swing"},
        {outputRangeSlider, L"Output range"},
        {chordRangeSlider, L"Chord window"},
        {rateBox, L"Rate"},
        {legatoBox, L"Legato"},
        {swingBox, L"Swing"},
        {outputLowBox, L"Output low"},
        {outputHighBox, L"Output high"},
        {chordLowBox, L"Chord low"},
        {chordHighBox, L"Chord high"},
        {chordDisplay, L"Recognized chord"},
    };
    const auto found =
        std::find_if(std::begin(names), std::end(names),
                     [control](const auto& entry) { return entry.first == control; });
    text = found == std::end(names) ? std::wstring() : found->second;
}

// A slider reads as its box shows the value; a range slider as its two boxes; the buttons
// have no value (their state says on or off).
void ArpeggiatorPage::GetAccessibleValue(CNWControl* control, std::wstring& text) {
    if (control == outputRangeSlider || control == chordRangeSlider) {
        const bool output = control == outputRangeSlider;
        text = (output ? outputLowBox : chordLowBox)->GetValueText() + L" to " +
               (output ? outputHighBox : chordHighBox)->GetValueText();
    } else if (CNWControl* box = BoxOf(control); box != nullptr) {
        text = box->GetValueText();
    } else if (dynamic_cast<CNWMultiBtn*>(control) != nullptr) {
        text.clear();
    } else {
        CNWControlSite::GetAccessibleValue(control, text);
    }
}

long ArpeggiatorPage::GetAccessibleRole(CNWControl* control) {
    if (control == enableButton) return ROLE_SYSTEM_PUSHBUTTON;
    if (control == chordDisplay) return ROLE_SYSTEM_STATICTEXT;
    return CNWControlSite::GetAccessibleRole(control);
}

// A number for a box (or its slider) goes through the number editor's checks and then the
// typed number's path; a drop-down takes one of its item texts, as choosing it from the menu;
// the rate box in Notes mode takes a note value's name. Everything else is refused.
bool ArpeggiatorPage::SetAccessibleValue(CNWControl* control, const std::wstring& text) {
    if (model == nullptr) return false;
    if (control == pathDropDown || control == unitsDropDown) {
        const bool path = control == pathDropDown;
        const int32_t count = path ? 4 : 3;
        for (int32_t i = 0; i < count; ++i) {
            if (OptionText(path ? IDS_PATH_FIRST : IDS_RATE_UNIT_FIRST, count, i) != text) continue;
            if (path) {
                OnPathCommand(kFirstPathCommand + static_cast<UINT>(i));
            } else {
                OnUnitsCommand(kFirstUnitsCommand + static_cast<UINT>(i));
            }
            return true;
        }
        return false;
    }
    CNWControl* box = BoxOf(control);
    if (box == nullptr) box = control;
    const ArpeggiatorParams p = Params();
    if (box == rateBox && p.rateUnits == kRateNotes) {
        const int32_t count = pagevalues::kNoteValue.max + 1;
        for (int32_t i = 0; i < count; ++i) {
            if (OptionText(IDS_NOTE_VALUE_FIRST, count, i) == text) {
                SetBoxNumber(rateBox, i);
                return true;
            }
        }
        return false;
    }
    NumberEntry entry = {};
    if (!NumberEntryFor(box, p, entry)) return false;
    CPropInt number(std::clamp(entry.current, entry.min, entry.max), entry.min, entry.max);
    if (!number.Parse(text)) return false;
    ApplyTypedNumber(box, number.GetValue());
    return true;
}

// The value box that shows a single slider's value, or null.
CNWControl* ArpeggiatorPage::BoxOf(CNWControl* control) const {
    if (control == rateSlider) return rateBox;
    if (control == legatoSlider) return legatoBox;
    if (control == swingSlider) return swingBox;
    return nullptr;
}
