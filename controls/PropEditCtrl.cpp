#include "controls/PropEditCtrl.h"

#include <memory>
#include <string>

#include "propvalues/Property.h"

namespace {

bool KeyIsDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

void CPropEditCtrl::StepText(wchar_t key, uint32_t repeat) {
    if (!property || !IsWindow() || !property->WantsKey(key, repeat, 0)) {
        return;
    }
    std::unique_ptr<CProperty> copy = property->Clone();
    if (!copy) {
        return;
    }
    copy->Parse(GetText());
    copy->Step(key);
    std::wstring text;
    copy->Format(text);
    SetText(text);
    SetSel(0, -1);
    ScrollCaret();
    OnStepped(key);
}

void CPropEditCtrl::InsertIfAccepted(wchar_t ch) {
    if (property && property->AcceptsChar(ch)) {
        ReplaceSel(std::wstring(1, ch), true);
    }
}

// "+" and "-" never arrive as typed characters: their keys insert them (HandleEditKey), and
// the keypad's steps. Other control characters (Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+A) pass, so
// that the clipboard works as in any field; the keys that end an edit and Ctrl+Z are handled
// on their key-down and their characters swallowed, which also spares the edit's beep.
bool CPropEditCtrl::FilterChar(wchar_t ch) {
    switch (ch) {
        case L'\b':
            return false;
        case L'+':
        case L'-':
            return true;
        case L'[':
        case L']':
            StepText(ch);
            return true;
        case L'\t':
        case L'\r':
        case L'\n':
        case 0x1B:  // Escape
        case 0x1A:  // Ctrl+Z
            return true;
        default:
            break;
    }
    if (ch < L' ') {
        return false;
    }
    return !(property && property->AcceptsChar(ch));
}

bool CPropEditCtrl::HandleEditKey(UINT key, uint32_t repeat) {
    const bool shift = KeyIsDown(VK_SHIFT);
    const bool control = KeyIsDown(VK_CONTROL);
    switch (key) {
        case VK_ADD:
            StepText(L'+', repeat);
            return true;
        case VK_SUBTRACT:
            StepText(L'-', repeat);
            return true;
        case VK_OEM_MINUS:
            if (!shift && !control) InsertIfAccepted(L'-');
            return !shift;
        case VK_OEM_PLUS:
            if (shift && !control) InsertIfAccepted(L'+');
            return shift;
        case 'Z':
            if (control) Undo();
            return control;
        default:
            return false;
    }
}

LRESULT CPropEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && FilterChar(static_cast<wchar_t>(wParam))) {
        return 0;
    }
    if (message == WM_KEYDOWN &&
        HandleEditKey(static_cast<UINT>(wParam), static_cast<uint32_t>(LOWORD(lParam)))) {
        return 0;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
