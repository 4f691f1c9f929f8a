#include "controls/NWEditControl.h"

#include "controls/AutoDCRestorer.h"
#include "controls/NWControlSite.h"
#include "controls/NWSharedDrawing.h"
#include "controls/win/DC.h"

CNWEditControl::CNWEditControl(CNWControlSite& owner) : CNWControl(owner) {
    value = 0.0;
    NWControlStyle noResend = GetStyle();
    noResend.SetOption(NWControlStyle::kResendOnPress, 0);
    noResend.fieldMask = 1u << 16;
    SetStyle(noResend);
}

void CNWEditControl::SetColors(uint32_t first, uint32_t second, uint32_t third, uint32_t fourth) {
    colors[0] = first;
    colors[1] = second;
    colors[2] = third;
    colors[3] = fourth;
    Redraw();
}

void CNWEditControl::OnLButtonDown(UINT keyFlags, POINT point) {
    CNWControl::OnLButtonDown(keyFlags, point);
    if (actOnPress && IsEnabled()) {
        site.OnControlAction(this, keyFlags);
    }
}

void CNWEditControl::OnLButtonDblClk(UINT keyFlags, POINT point) {
    if (!IsEnabled()) {
        return;
    }
    CNWControl::OnLButtonDblClk(keyFlags, point);
    site.OnControlAction(this, keyFlags);
}

int CNWEditControl::DoAction(int action) {
    if (!IsEnabled()) {
        return 0;
    }
    if (action >= 1 && action <= 6) {
        return 0;
    }
    if (action == 7) {
        site.OnControlAction(this, 0);
        return 1;
    }
    return CNWControl::DoAction(action);
}

int CNWEditControl::OnKeyDown(UINT key, UINT modifiers) {
    if (key == VK_RETURN || key == VK_F2) {
        return DoAction(7);
    }
    return CNWControl::OnKeyDown(key, modifiers);
}

std::wstring CNWEditControl::GetDisplayText() const {
    std::wstring text;
    if (style->GetOption(NWControlStyle::kShowName) != 0) {
        text = shortName;
    }
    if (style->GetOption(NWControlStyle::kShowValue) != 0) {
        if (!text.empty() && !valueText.empty()) {
            text += separator;
        }
        text += valueText;
        if (GetFlag(kAppendPlusField) != 0) {
            text += L"+";
        }
    }
    return text;
}

void CNWEditControl::Draw(CDC& dc) {
    if (!IsVisible() || !dc.RectVisible(rect)) {
        return;
    }
    const bool noBackground = style->GetOption(NWControlStyle::kNoBackground) != 0;
    {
        CAutoDCRestorer restore(dc, CAutoDCRestorer::kBkColor | CAutoDCRestorer::kTextColor |
                                        CAutoDCRestorer::kBkMode | CAutoDCRestorer::kFont);
        dc.SetBkColor(style->colors[0]);
        if (!noBackground) {
            dc.ExtTextOut(rect.left, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect, L"");
        }
        RECT text = rect;
        const int indent = style->GetTextIndent();
        if (style->textAlign == 0) text.left += indent;
        if (style->textAlign == 2) text.right -= indent;
        dc.SetBkMode(noBackground ? TRANSPARENT : OPAQUE);
        dc.SetTextColor(style->colors[IsEnabled() ? 3 : 5]);
        dc.SelectObject(CNWSharedDrawing::Get().normalFont);
        if (wordWrap) {
            DrawWrapped(dc, text);
        } else {
            UINT format = static_cast<UINT>(style->textAlign) | DT_SINGLELINE | DT_VCENTER;
            if (endEllipsis) {
                format |= DT_END_ELLIPSIS;
            }
            dc.DrawText(GetDisplayText(), text, format);
        }
    }
    CNWControl::Draw(dc);
}

// Lines broken between words, a word wider than the box broken inside it, the block centred
// vertically; lines that do not fit are cut at the box's bottom edge.
void CNWEditControl::DrawWrapped(CDC& dc, RECT box) {
    constexpr int kSideInset = 2;
    box.left += kSideInset;
    box.right -= kSideInset;
    const std::wstring text = GetDisplayText();
    const UINT format = static_cast<UINT>(style->textAlign) | DT_WORDBREAK | DT_EDITCONTROL;
    RECT measured = box;
    const int height = dc.DrawText(text, measured, format | DT_CALCRECT);
    const LONG room = box.bottom - box.top;
    if (height < room) {
        box.top += (room - height) / 2;
    }
    dc.DrawText(text, box, format);
}
