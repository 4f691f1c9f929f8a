// A device context over one HDC: either attached (painted by someone else, not released here)
// or made by CreateCompatibleDC (deleted here). Only the drawing the toolkit and the page use.
// [ui thread]
#pragma once

#include <string_view>

#include "controls/win/Win32.h"

class CDC {
public:
    CDC() = default;
    explicit CDC(HDC attached) : hdc(attached) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    HDC GetSafeHdc() const { return hdc; }
    bool CreateCompatibleDC(HDC other);
    void DeleteDC();

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(hdc, object); }
    HGDIOBJ GetCurrentObject(UINT type) const { return ::GetCurrentObject(hdc, type); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(hdc, color); }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(hdc, color); }
    int SetBkMode(int mode) { return ::SetBkMode(hdc, mode); }
    int SetROP2(int mode) { return ::SetROP2(hdc, mode); }
    int SetStretchBltMode(int mode) { return ::SetStretchBltMode(hdc, mode); }
    int SetMapMode(int mode) { return ::SetMapMode(hdc, mode); }
    COLORREF GetBkColor() const { return ::GetBkColor(hdc); }
    COLORREF GetTextColor() const { return ::GetTextColor(hdc); }
    int GetBkMode() const { return ::GetBkMode(hdc); }
    int GetROP2() const { return ::GetROP2(hdc); }
    int GetStretchBltMode() const { return ::GetStretchBltMode(hdc); }
    int GetMapMode() const { return ::GetMapMode(hdc); }

    // Region type (NULLREGION, SIMPLEREGION, COMPLEXREGION) and the box in logical units.
    int GetClipBox(RECT& box) const { return ::GetClipBox(hdc, &box); }
    POINT SetWindowOrg(int x, int y);
    bool PtVisible(POINT point) const { return ::PtVisible(hdc, point.x, point.y) != 0; }
    bool RectVisible(const RECT& rect) const { return ::RectVisible(hdc, &rect) != 0; }

    bool TextOut(int x, int y, std::wstring_view text);
    bool ExtTextOut(int x, int y, UINT options, const RECT* rect, std::wstring_view text);
    int DrawText(std::wstring_view text, RECT& rect, UINT format);
    SIZE GetTextExtent(std::wstring_view text) const;

    bool Rectangle(const RECT& rect) {
        return ::Rectangle(hdc, rect.left, rect.top, rect.right, rect.bottom) != 0;
    }
    void FillSolidRect(const RECT& rect, COLORREF color);
    // Top and left edges in one colour, bottom and right in the other, one pixel wide.
    void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
    bool Polygon(const POINT* points, int count) { return ::Polygon(hdc, points, count) != 0; }
    COLORREF SetPixel(int x, int y, COLORREF color) { return ::SetPixel(hdc, x, y, color); }
    bool BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                DWORD rop) {
        return ::BitBlt(hdc, x, y, width, height, source, sourceX, sourceY, rop) != 0;
    }

protected:
    HDC hdc = nullptr;

private:
    bool owned = false;
};
