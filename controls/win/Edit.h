// A system edit control as a window object, for the in-place editor: the editor subclasses
// it through WindowProc to see keys and focus changes. [ui thread]
#pragma once

#include <string>

#include "controls/win/Window.h"

class CEdit : public CWindow {
public:
    // A child edit window; WS_CHILD is added to `style`.
    bool Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent, UINT id);

    std::wstring GetText() const;
    void SetText(const std::wstring& text) { SetWindowTextW(GetSafeHwnd(), text.c_str()); }
    void SetLimitText(UINT limit) { SendMessage(EM_SETLIMITTEXT, limit, 0); }
    // Selects from `start` to `end` (-1: to the end of the text).
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void GetSel(int& start, int& end) const;
    void ReplaceSel(const std::wstring& text, bool canUndo) {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void ScrollCaret() { SendMessage(EM_SCROLLCARET, 0, 0); }
    bool Undo() { return SendMessage(EM_UNDO, 0, 0) != 0; }
};
