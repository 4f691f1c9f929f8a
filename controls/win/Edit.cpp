#include "controls/win/Edit.h"

bool CEdit::Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent, UINT id) {
    return CreateEx(exStyle, L"EDIT", L"", style | WS_CHILD, rect, parent, id);
}

std::wstring CEdit::GetText() const {
    const int length = GetWindowTextLengthW(GetSafeHwnd());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(GetSafeHwnd(), text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void CEdit::GetSel(int& start, int& end) const {
    DWORD first = 0;
    DWORD last = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}
