#include "controls/CellPropEditCtrl.h"

#include "propvalues/Property.h"

CCellPropEditCtrl::CCellPropEditCtrl(ICellEditOwner* editOwner, CProperty* edited, uint32_t limit)
    : CPropEditCtrl(edited), owner(editOwner), lengthLimit(limit) {}

// `extra` is kept for the call's shape; no value kind of this system asks for more than
// the other arguments give, so it selects nothing.
int CCellPropEditCtrl::EditModal(HWND parent, const RECT& rect, DWORD style, wchar_t firstChar,
                                 int spinOption, HFONT font, UINT controlId,
                                 const wchar_t* initialText, int /*extra*/, CNWControlSite* site) {
    if (!property || !parent || !::IsWindow(parent) || GetSafeHwnd()) {
        return 0;
    }
    parentWindow = parent;
    liveSite = site;
    done = accepted = lastKey = 0;
    endedByOtherWindow = windowGone = focusLostDuringLiveUpdate = false;
    ::SendMessageW(parent, WM_CANCELMODE, 0, 0);
    if (!CreateEditWindow(rect, style, controlId)) {
        return 0;
    }
    AttachSpin(rect, spinOption);
    SetInitialText(firstChar, initialText, font);
    ShowWindow(SW_SHOW);
    SetFocus(GetSafeHwnd());
    do {
        RunLoop();
    } while (KeepsOpen());
    TearDown(rect);
    return accepted ? 1 : 0;
}

bool CCellPropEditCtrl::CreateEditWindow(const RECT& rect, DWORD style, UINT controlId) {
    multiLine = (style & ES_MULTILINE) ? 1 : 0;
    const DWORD exStyle = (style & WS_BORDER) ? WS_EX_CLIENTEDGE : 0;
    if (!Create(exStyle, (style & ~WS_VISIBLE) | WS_CHILD | WS_CLIPSIBLINGS, rect, parentWindow,
                controlId)) {
        return false;
    }
    SetClassLongPtrW(GetSafeHwnd(), GCLP_HCURSOR,
                     reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_IBEAM)));
    return true;
}

// The spin stands right of the field, as high as it, with square buttons; only a property
// with limits has something to step toward. Any non-zero option asks for it.
void CCellPropEditCtrl::AttachSpin(const RECT& rect, int spinOption) {
    std::unique_ptr<CProperty> low;
    std::unique_ptr<CProperty> high;
    if (spinOption == 0 || !property->GetLimits(low, high)) {
        return;
    }
    const LONG width = rect.bottom - rect.top;
    spin.Create(parentWindow, {rect.right, rect.top, rect.right + width, rect.bottom}, *this);
}

// A length limit of 0 would lift the edit control's limit altogether; it counts as none.
void CCellPropEditCtrl::SetInitialText(wchar_t firstChar, const wchar_t* initialText, HFONT font) {
    std::wstring start;
    if (initialText && *initialText) {
        start = initialText;
    } else {
        property->GetEditText(start);
    }
    const bool limited = lengthLimit != kNoLengthLimit && lengthLimit != 0;
    SetLimitText(limited ? lengthLimit : kDefaultTextLimit);
    if (font) {
        SetFont(font, false);
    }
    SetText(start);
    SetSel(0, -1);
    ScrollCaret();
    if (firstChar != 0 && property->AcceptsChar(firstChar)) {
        SetText(std::wstring(1, firstChar));
        SetSel(1, 1);
    }
}

bool CCellPropEditCtrl::KeepsOpen() {
    if (windowGone || !IsWindow()) {
        accepted = 0;
        return false;
    }
    text = GetText();
    if (!accepted || !validate || property->Parse(text)) {
        return false;
    }
    if (endedByOtherWindow) {
        accepted = 0;
        return false;
    }
    done = accepted = lastKey = 0;
    SetSel(0, -1);
    ScrollCaret();
    return true;
}

// The field may have been drawn a little below its rectangle (the client edge); the parent
// repaints that strip too.
void CCellPropEditCtrl::TearDown(const RECT& rect) {
    spin.DestroyWindow();
    DestroyWindow();
    if (::IsWindow(parentWindow)) {
        const RECT dirty = {rect.left, rect.top, rect.right, rect.bottom + 2};
        ::InvalidateRect(parentWindow, &dirty, TRUE);
    }
    parentWindow = nullptr;
    liveSite = nullptr;
}

// Tells the parent as a spin control would: line up and down for steps of one, page up and
// down for steps of ten.
void CCellPropEditCtrl::OnStepped(wchar_t key) {
    if (!spin.IsWindow() || !::IsWindow(parentWindow)) {
        return;
    }
    WORD code = SB_LINEUP;
    switch (key) {
        case L'-':
            code = SB_LINEDOWN;
            break;
        case L']':
            code = SB_PAGEUP;
            break;
        case L'[':
            code = SB_PAGEDOWN;
            break;
        default:
            break;
    }
    ::SendMessageW(parentWindow, WM_VSCROLL, MAKEWPARAM(code, 0),
                   reinterpret_cast<LPARAM>(spin.GetSafeHwnd()));
}
