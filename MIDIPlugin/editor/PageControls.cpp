// The page's 19 controls: made in member order (the site's drawing and tab order) with the
// page's style record, and placed by LayoutControls.
#include <tuple>
#include <utility>

#include "controls/NWDropDownCtrl.h"
#include "controls/NWEditControl.h"
#include "controls/NWMinMaxSlider.h"
#include "controls/NWMultiBtn.h"
#include "controls/NWSliderCtrl.h"
#include "editor/ArpeggiatorPage.h"
#include "resources/ResourceIds.h"

namespace {

// The buttons' strips hold three frames: normal, hover and on.
constexpr uint32_t kButtonStates = CNWMultiBtn::kNormal | CNWMultiBtn::kHover | CNWMultiBtn::kOn;
// The style fields the page sets: colours 1 and 4, the option fields at bits 0-11 and 14-15,
// and the text alignment.
constexpr uint32_t kPageStyleMask = 0x57C9;

void Place(CNWControl* control, LONG x, LONG y, LONG width, LONG height) {
    control->SetRect({x, y, x + width, y + height});
}

// The four buttons take their size from their images: only the top-left corner counts.
void PlaceButton(CNWControl* button, LONG x, LONG y) { Place(button, x, y, 1, 1); }

}  // namespace

NWControlStyle ArpeggiatorPage::PageStyle() const {
    NWControlStyle style = NWControlStyle::Defaults();
    style.colors[0] = panelColor;
    style.colors[3] = textColor;
    style.textAlign = 1;  // centred
    style.SetOption(NWControlStyle::kShowName, 0);
    style.SetOption(NWControlStyle::kShowValue, 1);
    style.SetOption(NWControlStyle::kHoverFrame, 1);
    style.SetOption(NWControlStyle::kFocusFrame, 0);
    style.SetOption(NWControlStyle::kTrackingTip, 0);
    style.SetOption(NWControlStyle::kNoBackground, 1);
    style.fieldMask = kPageStyleMask;
    return style;
}

void ArpeggiatorPage::CreateControls() {
    const NWControlStyle style = PageStyle();
    enableButton = AddButton(style, IDB_POWER_BUTTON);
    playThroughBox = AddButton(style, IDB_CHECK_BOX);
    keepInRangeBox = AddButton(style, IDB_CHECK_BOX);
    leftHandWindowBox = AddButton(style, IDB_CHECK_BOX);
    unitsDropDown = new CNWDropDownCtrl(*this, 0);
    pathDropDown = new CNWDropDownCtrl(*this, 0);
    for (CNWDropDownCtrl* dropDown : {unitsDropDown, pathDropDown}) {
        dropDown->SetStyle(style);
        AddControl(dropDown, 1, 0);
    }
    rateSlider = AddSlider(style, 0.0);
    legatoSlider = AddSlider(style, 0.0);
    swingSlider = AddSlider(style, 0.5);
    outputRangeSlider = AddRangeSlider(style);
    chordRangeSlider = AddRangeSlider(style);
    rateBox = AddValueBox(style);
    legatoBox = AddValueBox(style);
    swingBox = AddValueBox(style);
    outputLowBox = AddValueBox(style);
    outputHighBox = AddValueBox(style);
    chordLowBox = AddValueBox(style);
    chordHighBox = AddValueBox(style);
    chordDisplay = AddValueBox(style);
    // A chord's name ("G 7 1st inversion") is wider than the display: it takes two lines
    // rather than an ellipsis.
    chordDisplay->SetWordWrap(true);
    // The value boxes keep the toolkit's wheel mode 0: only the single sliders take the wheel.
}

// The first button, the power button, is the one that carries a name.
CNWMultiBtn* ArpeggiatorPage::AddButton(const NWControlStyle& style, uint32_t bitmapId) {
    auto* button = new CNWMultiBtn(*this, 9, CNWToggleControl::kPush);
    button->SetBitmap(bitmapId, kButtonStates, 1, 0);
    button->SetStyle(style);
    if (bitmapId == IDB_POWER_BUTTON) button->SetName(L"Enable");
    AddControl(button, 1, 0);
    return button;
}

// Hollow bars: the skin's panel shows through the segments' gaps.
CNWSliderCtrl* ArpeggiatorPage::AddSlider(const NWControlStyle& style, double origin) {
    auto* slider = new CNWSliderCtrl(*this);
    slider->SetStyle(style);
    if (origin != 0.0) slider->SetOrigin(origin);
    slider->SetColors(panelColor, frameColor, textColor, sliderColor4, sliderColor5, 1);
    AddControl(slider, 1, 0);
    return slider;
}

CNWMinMaxSlider* ArpeggiatorPage::AddRangeSlider(const NWControlStyle& style) {
    auto* slider = new CNWMinMaxSlider(*this);
    slider->SetStyle(style);
    slider->SetColors(panelColor, frameColor, textColor, sliderColor4, sliderColor5, 1);
    AddControl(slider, 1, 0);
    return slider;
}

CNWEditControl* ArpeggiatorPage::AddValueBox(const NWControlStyle& style) {
    auto* box = new CNWEditControl(*this);
    box->SetStyle(style);
    AddControl(box, 1, 0);
    return box;
}

// Positions are read back from controls placed before, so the order matters.
void ArpeggiatorPage::LayoutControls() {
    PlaceButton(enableButton, 82, 68);
    PlaceButton(playThroughBox, 168, 116);
    const LONG dropDownLeft = playThroughBox->GetRect().left;
    Place(unitsDropDown, dropDownLeft, 46, 90, 13);
    Place(pathDropDown, dropDownLeft, 78, 90, 13);

    constexpr LONG kSliderTop = 61, kSliderHeight = 80, kSingleWidth = 34, kRangeWidth = 42;
    Place(rateSlider, 276, kSliderTop, kSingleWidth, kSliderHeight);
    Place(legatoSlider, rateSlider->GetRect().left + kSingleWidth + 8, kSliderTop, kSingleWidth,
          kSliderHeight);
    Place(swingSlider, legatoSlider->GetRect().left + kSingleWidth + 8, kSliderTop, kSingleWidth,
          kSliderHeight);
    // Each step adds the single sliders' width, also after the wider range slider.
    Place(outputRangeSlider, swingSlider->GetRect().left + kSingleWidth + 18, kSliderTop,
          kRangeWidth, kSliderHeight);
    Place(chordRangeSlider, outputRangeSlider->GetRect().left + kSingleWidth + 12, kSliderTop,
          kRangeWidth, kSliderHeight);

    constexpr LONG kBoxHeight = 13, kAbove = 14;
    for (auto [box, slider] : {std::pair<CNWControl*, CNWControl*>{rateBox, rateSlider},
                               {legatoBox, legatoSlider},
                               {swingBox, swingSlider}}) {
        const RECT over = slider->GetRect();
        Place(box, over.left, over.top - kAbove, kSingleWidth, kBoxHeight);
    }
    for (auto [low, high, slider] : {std::tuple<CNWControl*, CNWControl*, CNWControl*>{
                                         outputLowBox, outputHighBox, outputRangeSlider},
                                     {chordLowBox, chordHighBox, chordRangeSlider}}) {
        const RECT track = slider->GetRect();
        Place(low, track.left, track.bottom + 2, kRangeWidth, kBoxHeight);
        Place(high, track.left, track.top - kAbove, kRangeWidth, kBoxHeight);
    }

    const RECT chordTrack = chordRangeSlider->GetRect();
    Place(chordDisplay, chordTrack.right + 18, chordTrack.top, 70, 83);
    PlaceButton(keepInRangeBox, outputRangeSlider->GetRect().left + 13,
                outputRangeSlider->GetRect().top - 43);
    PlaceButton(leftHandWindowBox, chordTrack.left + 13, chordTrack.top - 43);
}
