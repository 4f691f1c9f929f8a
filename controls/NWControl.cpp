#include "controls/NWControl.h"

#include "controls/AbbreviateName.h"
#include "controls/NWAccessibility.h"
#include "controls/NWAppInfo.h"
#include "controls/NWControlSite.h"
#include "controls/NWSharedDrawing.h"
#include "controls/OurToolTipCtrl.h"
#include "controls/win/DC.h"
#include "controls/win/Menu.h"

namespace {

size_t liveControls = 0;

// One wheel notch, as Windows reports it.
constexpr int kWheelDelta = 120;

}  // namespace

CNWControl::CNWControl(CNWControlSite& owner)
    : site(owner),
      id(owner.NextControlId()),
      style(&ownStyle),
      ownStyle(NWControlStyle::Defaults()) {
    CNWSharedDrawing::Get();
    ++liveControls;
}

CNWControl::~CNWControl() {
    if (accessibleProvider) {
        accessibleProvider->Release();
    }
    --liveControls;
}

size_t CNWControl::LiveCount() { return liveControls; }

void CNWControl::Draw(CDC& dc) {
    if (!IsVisible() || !dc.RectVisible(rect)) {
        return;
    }
    DrawOverlay(dc, GetTopLeft());
    DrawFocus(dc);
}

void CNWControl::DrawEx(IBaseGraphicWrap&) {}

void CNWControl::SetFocusState(bool focused, bool redraw) {
    const bool gained = focused && !HasFocusDisplay();
    SetFlag(kFocusField, focused ? 1 : 0);
    if (redraw) {
        Redraw();
    }
    if (gained) {
        site.OnControlStateChanged(this);
    }
}

void CNWControl::RequestUpdate() { site.UpdateControl(this); }

void CNWControl::SetRect(const RECT& newRect) {
    Redraw();
    rect = newRect;
    if (COurToolTipCtrl* tooltip = site.GetTooltipCtrl(); tooltip && tooltip->IsWindow()) {
        tooltip->SetToolRect(site.GetHostHandle(), static_cast<UINT_PTR>(id), rect);
    }
    Layout();
    Redraw();
}

SIZE CNWControl::GetSize() const { return {rect.right - rect.left, rect.bottom - rect.top}; }

void CNWControl::SetStyle(const NWControlStyle& source) {
    if (style->CopyMaskedFrom(source)) {
        RebuildShortName();
    }
    site.InvalidateControl(this, nullptr);
}

bool CNWControl::HitTest(POINT point) const { return IsVisible() && PtInRect(&rect, point); }

void CNWControl::CancelTracking() {
    if (IsPressed()) {
        SetFlag(kMouseField, 0);
        EndChange();
    }
}

void CNWControl::OnLButtonDown(UINT, POINT point) {
    pressPoint = point;
    lastPoint = point;
    SetFlag(kMouseField, 1);
    BeginChange();
    if (style->GetOption(NWControlStyle::kResendOnPress)) {
        SetValue(GetValue(), 1);
    }
}

void CNWControl::OnLButtonUp(UINT, POINT point) {
    lastPoint = point;
    EndChange();
    SetFlag(kMouseField, 0);
}

void CNWControl::OnRButtonDown(UINT, POINT) {}

void CNWControl::OnRButtonUp(UINT, POINT) {}

void CNWControl::OnLButtonDblClk(UINT keyFlags, POINT point) {
    CNWControl::OnLButtonDown(keyFlags, point);
    if (GetFlag(kNoNotifyDblClkField) == 0) {
        site.OnValueChanged(this);
    }
    if (style->GetOption(NWControlStyle::kResendOnPress)) {
        SetValue(defaultValue, 1);
    }
}

void CNWControl::OnMouseMove(UINT, POINT point) { lastPoint = point; }

// The step is divided by the range, so a notch moves a 0..1 control by wheelStep.
int CNWControl::OnMouseWheel(UINT keyFlags, int delta) {
    if (GetWheelMode() == 0 || !IsEnabled()) {
        return 0;
    }
    const double range = maxValue - minValue;
    const double step =
        range > 0.0 ? ((keyFlags & MK_SHIFT) ? wheelFineStep : wheelStep) / range : 0.0;
    const int notches = delta / kWheelDelta;
    SetValue(Clamp(value + notches * step), 1, 1);
    return 1;
}

uint32_t CNWControl::GetWheelMode() const { return style->GetOption(NWControlStyle::kWheelMode); }

int CNWControl::DoAction(int action) {
    if (!IsEnabled()) {
        return 0;
    }
    switch (action) {
        case 1:
            SetValue(minValue, 1, 1);
            return 1;
        case 2:
            SetValue(maxValue, 1, 1);
            return 1;
        case 3:
            SetValue(Clamp(value - GetLineStep()), 1, 1);
            return 1;
        case 4:
            SetValue(Clamp(value + GetLineStep()), 1, 1);
            return 1;
        case 5:
            SetValue(Clamp(value - GetPageStep()), 1, 1);
            return 1;
        case 6:
            SetValue(Clamp(value + GetPageStep()), 1, 1);
            return 1;
        case 8:
            OfferMenu(0);
            return 1;
        default:
            return 0;
    }
}

int CNWControl::OnKeyDown(UINT key, UINT) {
    switch (key) {
        case VK_RIGHT:
        case VK_UP:
            return DoAction(4);
        case VK_LEFT:
        case VK_DOWN:
            return DoAction(3);
        case VK_PRIOR:
            return DoAction(6);
        case VK_NEXT:
            return DoAction(5);
        case VK_HOME:
            return DoAction(1);
        case VK_END:
            return DoAction(2);
        default:
            return 0;
    }
}

void CNWControl::OnMouseEnter() {
    if (style->GetOption(NWControlStyle::kHoverFrame)) {
        SetFlag(kHoverField, 1);
        Redraw();
    }
}

void CNWControl::OnMouseLeave() {
    if (style->GetOption(NWControlStyle::kHoverFrame)) {
        SetFlag(kHoverField, 0);
        Redraw();
    }
}

int CNWControl::BeginChange() {
    if (!IsEnabled()) {
        return 1;
    }
    if (changeDepth++ == 0) {
        site.OnBeginChange(this);
    }
    return 1;
}

int CNWControl::EndChange() {
    if (!IsEnabled() || changeDepth == 0) {
        return 1;
    }
    if (--changeDepth == 0) {
        site.OnEndChange(this);
        site.OnControlStateChanged(this);
    }
    return 1;
}

void CNWControl::SetName(const std::wstring& text) {
    if (text == name) {
        return;
    }
    name = text;
    shortName = text;
    RebuildShortName();
    Redraw();
    if (HasFocusDisplay()) {
        site.OnControlStateChanged(this);
    }
}

void CNWControl::SetValueText(const std::wstring& text) {
    if (text == valueText) {
        return;
    }
    if (!valueText.empty()) {
        CNWAccessibility::RaiseValueChanged(accessibleProvider, text);
    }
    valueText = text;
    Redraw();
    CNWAccessibility::NotifyControlEvent(EVENT_OBJECT_VALUECHANGE, *this);
}

int CNWControl::SetValue(double newValue, int notify, int redraw) {
    if (notify && !IsEnabled()) {
        return 0;
    }
    const bool bracket = notify && changeDepth == 0;
    if (bracket) {
        BeginChange();
    }
    newValue = Clamp(newValue);
    requestedValue = newValue;
    if (quantSteps != 0) {
        newValue = static_cast<double>(static_cast<int64_t>(quantSteps * newValue)) *
                   (maxValue - minValue) / quantSteps;
    }
    if (newValue == value) {
        if (valueText.empty()) {
            site.GetValueText(this, valueText, 0);
            if (!valueText.empty()) {
                CNWAccessibility::RaiseValueChanged(accessibleProvider, valueText);
            }
        }
    } else {
        lastChangeTick = GetTickCount();
        value = newValue;
        if (notify || notifyAlways) {
            site.OnValueChanged(this);
        }
        site.GetValueText(this, valueText, 0);
        if (!valueText.empty()) {
            CNWAccessibility::RaiseValueChanged(accessibleProvider, valueText);
        }
        CNWAccessibility::NotifyControlEvent(EVENT_OBJECT_VALUECHANGE, *this);
        if (IsVisible() && redraw) {
            const RECT invalid = GetInvalidRect();
            site.InvalidateControl(this, &invalid);
        }
    }
    if (bracket) {
        EndChange();
    }
    return 1;
}

void CNWControl::SetRange(double minimum, double maximum) {
    minValue = minimum;
    maxValue = maximum;
}

void CNWControl::SetMarkSize(int32_t width, int32_t height) {
    markWidth = width;
    markHeight = height;
}

IRawElementProviderSimple* CNWControl::GetAccessibleProvider() {
    if (!accessibleProvider && CNWAccessibility::IsOn()) {
        accessibleProvider = CNWAccessibility::Factory()->CreateControlProvider(*this);
    }
    return accessibleProvider;
}

void CNWControl::ShowTrackingTip() {
    COurToolTipCtrl* tooltip = site.GetTooltipCtrl();
    if (!tooltip || !tooltip->IsWindow()) {
        return;
    }
    POINT corner = {rect.left, rect.bottom};
    site.ClientToScreen(corner);
    tooltip->TrackShow(site.GetHostHandle(), valueText, corner);
}

void CNWControl::UpdateTrackingTip() {
    COurToolTipCtrl* tooltip = site.GetTooltipCtrl();
    if (!tooltip || !tooltip->IsWindow()) {
        return;
    }
    POINT corner = {rect.left, rect.bottom};
    site.ClientToScreen(corner);
    tooltip->TrackUpdate(site.GetHostHandle(), valueText, corner);
}

void CNWControl::HideTrackingTip() {
    COurToolTipCtrl* tooltip = site.GetTooltipCtrl();
    if (tooltip && tooltip->IsWindow()) {
        tooltip->TrackHide(site.GetHostHandle());
    }
}

void CNWControl::SetWheelMode(uint32_t mode) { style->SetOption(NWControlStyle::kWheelMode, mode); }

void CNWControl::GetTooltipText(std::wstring& text) const {
    if (name.empty() || valueText.empty()) {
        text = name.empty() ? valueText : name;
    } else {
        text = name + separator + valueText;
    }
}

void CNWControl::DrawOverlay(CDC& dc, POINT origin) {
    if (GetFlag(kCornerMarkField) == 0 || markWidth == 0 || markHeight == 0) {
        return;
    }
    RECT mark;
    mark.left = markWidth > 0 ? origin.x : rect.right + markWidth;
    mark.right = markWidth > 0 ? origin.x + markWidth : rect.right;
    mark.top = markHeight > 0 ? origin.y : rect.bottom + markHeight;
    mark.bottom = markHeight > 0 ? origin.y + markHeight : rect.bottom;
    dc.FillSolidRect(mark, RGB(255, 0, 0));
}

void CNWControl::DrawFocus(CDC& dc) {
    if (!HasFocusDisplay() || style->GetOption(NWControlStyle::kFocusFrame) == 0) {
        return;
    }
    RECT frame = rect;
    InflateRect(&frame, -1, -1);
    DrawFocusRect(dc.GetSafeHdc(), &frame);
}

void CNWControl::SetVisible(bool visible) {
    if (IsVisible() == visible) {
        return;
    }
    SetFlag(kVisibleField, visible ? 1 : 0);
    site.InvalidateControl(this, nullptr);
}

void CNWControl::SetEnabled(bool enabled) {
    if (IsEnabled() == enabled) {
        return;
    }
    SetFlag(kEnabledField, enabled ? 1 : 0);
    Redraw();
}

void CNWControl::SetAbbreviateName(bool abbreviate) {
    SetFlag(kAbbreviateField, abbreviate ? 1 : 0);
    RebuildShortName();
}

double CNWControl::Clamp(double candidate) const {
    return candidate < minValue ? minValue : (candidate > maxValue ? maxValue : candidate);
}

void CNWControl::RebuildShortName() {
    const INWAppInfo* app = GetNWAppInfo();
    const bool abbreviate = GetFlag(kAbbreviateField) != 0 && !(app && app->ShowFullControlNames());
    shortName = abbreviate ? AbbreviateName(name, style->maxNameChars) : name;
}

void CNWControl::Redraw() {
    if (IsVisible()) {
        site.InvalidateControl(this, nullptr);
    }
}

void CNWControl::OfferMenu(UINT keyFlags) {
    CMenu menu;
    if (menu.CreatePopupMenu()) {
        site.OnControlMenu(this, keyFlags, menu);
    }
}
