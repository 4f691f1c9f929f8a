#include "controls/NWDropDownCtrl.h"

#include "controls/AutoDCRestorer.h"
#include "controls/NWControlSite.h"
#include "controls/NWSharedDrawing.h"
#include "controls/win/DC.h"

CNWDropDownCtrl::CNWDropDownCtrl(CNWControlSite& owner, uint8_t dots)
    : CNWControl(owner), dotsInsteadOfArrow(dots) {
    value = 0.5;
    NWControlStyle noResend = GetStyle();
    noResend.SetOption(NWControlStyle::kResendOnPress, 0);
    noResend.fieldMask = 1u << 16;
    SetStyle(noResend);
}

void CNWDropDownCtrl::Layout() {
    arrowRect = rect;
    if (rect.right - rect.left >= 2 * arrowSize) {
        arrowRect.left = rect.right - 2 * arrowSize;
    }
    labelRect = rect;
    if (!labelFullWidth) {
        labelRect.right = arrowRect.left;
    }
}

void CNWDropDownCtrl::SetLabelFullWidth(bool full) {
    labelFullWidth = full ? 1 : 0;
    Layout();
}

void CNWDropDownCtrl::SetLabelAction(bool action) {
    labelAction = action ? 1 : 0;
    Redraw();
}

void CNWDropDownCtrl::SetArrowSize(int32_t size) {
    arrowSize = size;
    Layout();
    Redraw();
}

void CNWDropDownCtrl::SetLabelMargins(int32_t top, int32_t left, int32_t bottom, int32_t right) {
    labelMargins = {left, top, right, bottom};
    Redraw();
}

void CNWDropDownCtrl::SetBackgroundInsets(int32_t top, int32_t left, int32_t bottom,
                                          int32_t right) {
    backgroundInsets = {left, top, right, bottom};
    Redraw();
}

void CNWDropDownCtrl::OnLButtonDown(UINT keyFlags, POINT point) {
    CNWControl::OnLButtonDown(keyFlags, point);
    if (!openOnRelease && IsEnabled()) {
        Open(keyFlags, point, false);
    }
}

// As with buttons, only the release of this control's own press opens it: the host hands a
// release to the control under the pointer even when the press began elsewhere.
void CNWDropDownCtrl::OnLButtonUp(UINT keyFlags, POINT point) {
    const bool pressed = IsPressed();
    lastPoint = point;
    EndChange();
    site.OnTrackingEnd();
    SetFlag(kMouseField, 0);
    if (openOnRelease && pressed && IsEnabled()) {
        Open(keyFlags, point, true);
    }
}

void CNWDropDownCtrl::OnLButtonDblClk(UINT keyFlags, POINT point) {
    CNWControl::OnLButtonDblClk(keyFlags, point);
    if (IsEnabled()) {
        site.OnControlAction(this, keyFlags);
    }
}

void CNWDropDownCtrl::Open(UINT keyFlags, POINT point, bool insideOnly) {
    if (labelAction && PtInRect(&labelRect, point)) {
        site.OnControlAction(this, keyFlags);
        return;
    }
    if (arrowOnly && !PtInRect(&arrowRect, point)) {
        return;
    }
    if (!insideOnly || PtInRect(&rect, point)) {
        OfferMenu(keyFlags);
    }
}

void CNWDropDownCtrl::Signal(double signal) {
    SetValue(signal, 1, 1);
    SetValue((maxValue - minValue) * 0.5, 0, 1);
}

int CNWDropDownCtrl::DoAction(int action) {
    if (!IsEnabled()) {
        return 0;
    }
    const double half = (maxValue - minValue) * 0.5;
    switch (action) {
        case 1:
        case 3:
            Signal(half * 0.5);
            return 1;
        case 2:
        case 4:
            Signal(half * 1.5);
            return 1;
        case 5:
            Signal(minValue);
            return 1;
        case 6:
            Signal(maxValue);
            return 1;
        case 7:
            OfferMenu(0);
            return 1;
        case 8:
        case 9:
        case 10:
        case 11:
        case 12:
            return 0;
        default:
            return CNWControl::DoAction(action);
    }
}

int CNWDropDownCtrl::OnKeyDown(UINT key, UINT modifiers) {
    const bool opens =
        key == VK_SPACE || key == VK_F4 || (key == VK_DOWN && (modifiers & kAltKey) != 0);
    if (!opens || !IsEnabled()) {
        return 0;
    }
    // The key's character is still queued: the menu opens after it, or the menu's own loop
    // would take it for an item's letter and close.
    site.PostAction(this);
    return 1;
}

void CNWDropDownCtrl::Draw(CDC& dc) {
    if (!IsVisible() || !dc.RectVisible(rect)) {
        return;
    }
    if (style->GetOption(NWControlStyle::kNoBackground) == 0) {
        const bool marked = labelAction && value >= 0.5;
        dc.FillSolidRect(
            {rect.left + backgroundInsets.left, rect.top + backgroundInsets.top,
             rect.right - backgroundInsets.right, rect.bottom - backgroundInsets.bottom},
            style->colors[marked ? 1 : 0]);
    }
    const COLORREF color = style->colors[IsEnabled() ? 3 : 5];
    DrawArrow(dc, color);
    DrawLabelText(dc, color);
    if (IsHovered() && style->GetOption(NWControlStyle::kHoverFrame) != 0) {
        dc.Draw3dRect(rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
    CNWControl::Draw(dc);
}

void CNWDropDownCtrl::DrawArrow(CDC& dc, COLORREF color) {
    const int x0 = (arrowRect.left + arrowRect.right) / 2 - arrowSize / 2;
    const int y0 = (arrowRect.top + arrowRect.bottom) / 2 - arrowSize / 2;
    if (dotsInsteadOfArrow) {
        for (int dx : {0, 3, 6}) {
            dc.SetPixel(x0 + dx, y0 + arrowSize, color);
        }
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HBRUSH brush = CreateSolidBrush(color);
    {
        CAutoDCRestorer restore(
            dc, CAutoDCRestorer::kBkColor | CAutoDCRestorer::kPen | CAutoDCRestorer::kBrush);
        dc.SetBkColor(style->colors[0]);
        dc.SelectObject(pen);
        dc.SelectObject(brush);
        const POINT corners[] = {{x0 + 1, y0 + 3},
                                 {x0 + arrowSize - 1, y0 + 3},
                                 {(2 * x0 + arrowSize) / 2, y0 + arrowSize - 2}};
        dc.Polygon(corners, 3);
    }
    DeleteObject(pen);
    DeleteObject(brush);
}

void CNWDropDownCtrl::DrawLabelText(CDC& dc, COLORREF color) {
    const bool showName = style->GetOption(NWControlStyle::kShowName) != 0;
    const bool showValue = style->GetOption(NWControlStyle::kShowValue) != 0;
    if (!showName && !showValue) {
        return;
    }
    const int indent = style->GetTextIndent();
    RECT text = {rect.left + labelMargins.left, rect.top + labelMargins.top,
                 labelRect.right - labelMargins.right, rect.bottom - labelMargins.bottom};
    if (style->textAlign == 0) text.left += indent;
    if (style->textAlign == 2) text.right -= indent;
    UINT format = static_cast<UINT>(style->textAlign) | DT_SINGLELINE | DT_VCENTER;
    if (showName) {
        format |= DT_END_ELLIPSIS;
    }
    CAutoDCRestorer restore(
        dc, CAutoDCRestorer::kTextColor | CAutoDCRestorer::kBkMode | CAutoDCRestorer::kFont);
    dc.SetTextColor(color);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(CNWSharedDrawing::Get().normalFont);
    dc.DrawText(showName ? shortName : valueText, text, format);
}
