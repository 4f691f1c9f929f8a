#include "support/SliderHost.h"

#include <cmath>
#include <cwchar>
#include <iterator>

NWControlStyle PageStyle() {
    NWControlStyle style = NWControlStyle::Defaults();
    style.fieldMask = 0x57C9;
    style.colors[0] = kFill;
    style.colors[3] = RGB(252, 184, 186);
    style.SetOption(NWControlStyle::kShowName, 0);
    style.SetOption(NWControlStyle::kShowValue, 1);
    style.SetOption(NWControlStyle::kHoverFrame, 1);
    style.SetOption(NWControlStyle::kFocusFrame, 0);
    style.SetOption(NWControlStyle::kTrackingTip, 0);
    style.SetOption(NWControlStyle::kNoBackground, 1);
    style.textAlign = 1;
    return style;
}

NWControlStyle PageStyleWithoutText() {
    NWControlStyle style = PageStyle();
    style.SetOption(NWControlStyle::kShowValue, 0);
    return style;
}

CNWSliderCtrl* SliderHost::AddSlider(const RECT& rect, const NWControlStyle& style) {
    auto* slider = new CNWSliderCtrl(*this);
    slider->SetStyle(style);
    slider->SetColors(kFill, kBorder, kLit, kSeparator, kDisabledLit, 1);
    AddControl(slider, 1, 0);
    slider->SetRect(rect);
    return slider;
}

CNWMinMaxSlider* SliderHost::AddRangeSlider(const RECT& rect, const NWControlStyle& style) {
    auto* slider = new CNWMinMaxSlider(*this);
    slider->SetStyle(style);
    slider->SetColors(kFill, kBorder, kLit, kSeparator, kDisabledLit, 1);
    AddControl(slider, 1, 0);
    slider->SetRect(rect);
    return slider;
}

void SliderHost::OnControlAction(CNWControl* control, UINT keyFlags) {
    Record(log, "action", control);
    log += " flags " + std::to_string(keyFlags);
}

void SliderHost::ShowDragCursor(bool show) {
    Note(show ? "cursor shown" : "cursor hidden");
    TestHost::ShowDragCursor(show);
}

void SliderHost::GetValueText(CNWControl* control, std::wstring& text, int) {
    Record(log, "text", control);
    wchar_t buffer[16];
    if (auto* range = dynamic_cast<CNWMinMaxSlider*>(control)) {
        swprintf(buffer, std::size(buffer), L"%ld/%ld", std::lround(range->GetLow() * 100),
                 std::lround(range->GetHigh() * 100));
    } else {
        swprintf(buffer, std::size(buffer), L"%ld%%", std::lround(control->GetValue() * 100));
    }
    text.assign(buffer);
}

POINT SliderHost::ToScreen(POINT client) const {
    CNWControlSite::ClientToScreen(client);
    return client;
}
