#include "controls/win/DC.h"

CDC::~CDC() { DeleteDC(); }

bool CDC::CreateCompatibleDC(HDC other) {
    if (hdc) {
        return false;
    }
    hdc = ::CreateCompatibleDC(other);
    owned = hdc != nullptr;
    return owned;
}

void CDC::DeleteDC() {
    if (owned && hdc) {
        ::DeleteDC(hdc);
    }
    hdc = nullptr;
    owned = false;
}

POINT CDC::SetWindowOrg(int x, int y) {
    POINT previous = {};
    SetWindowOrgEx(hdc, x, y, &previous);
    return previous;
}

bool CDC::TextOut(int x, int y, std::wstring_view text) {
    return ::TextOutW(hdc, x, y, text.data(), static_cast<int>(text.size())) != 0;
}

bool CDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, std::wstring_view text) {
    return ::ExtTextOutW(hdc, x, y, options, rect, text.data(), static_cast<UINT>(text.size()),
                         nullptr) != 0;
}

int CDC::DrawText(std::wstring_view text, RECT& rect, UINT format) {
    return ::DrawTextW(hdc, text.data(), static_cast<int>(text.size()), &rect, format);
}

SIZE CDC::GetTextExtent(std::wstring_view text) const {
    SIZE size = {};
    GetTextExtentPoint32W(hdc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

// ExtTextOut with an opaque rectangle and no text is the cheapest solid fill: no brush to make.
void CDC::FillSolidRect(const RECT& rect, COLORREF color) {
    const COLORREF previous = ::SetBkColor(hdc, color);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(hdc, previous);
}

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    FillSolidRect({rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
    FillSolidRect({rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
    FillSolidRect({rect.right - 1, rect.top, rect.right, rect.top + height}, bottomRight);
    FillSolidRect({rect.left, rect.bottom - 1, rect.left + width, rect.bottom}, bottomRight);
}
