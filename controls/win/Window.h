// A window object over one HWND: messages reach the virtual WindowProc, and whatever it does
// not handle goes on to the procedure the window had before (or DefWindowProc for windows of
// the toolkit's own class). Only the operations the toolkit and the editor page use.
// [ui thread] throughout: the object belongs to the thread that owns its window.
#pragma once

#include "controls/win/Win32.h"

class CWindow {
public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    // Destroys the window when it still exists.
    virtual ~CWindow();

    HWND GetSafeHwnd() const { return hwnd; }
    // The object attached to a window, or null.
    static CWindow* FromHandle(HWND window);

    // Creates a window. A null class name gives a window of the toolkit's own class (arrow
    // cursor, no background brush, double-clicks); a system class (EDIT, tooltips) is
    // subclassed as soon as it exists.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                  const RECT& rect, HWND parent, UINT_PTR idOrMenu);
    // Attaches the object to an existing window by replacing its procedure.
    bool Subclass(HWND window);
    bool DestroyWindow();

    bool IsWindow() const { return hwnd && ::IsWindow(hwnd); }
    bool ShowWindow(int command) { return ::ShowWindow(hwnd, command) != 0; }
    bool MoveWindow(const RECT& rect, bool repaint);
    RECT GetClientRect() const;
    void ClientToScreen(POINT& point) const { ::ClientToScreen(hwnd, &point); }
    void ScreenToClient(POINT& point) const { ::ScreenToClient(hwnd, &point); }
    void Invalidate(bool erase) { ::InvalidateRect(hwnd, nullptr, erase); }
    void InvalidateRect(const RECT& rect, bool erase) { ::InvalidateRect(hwnd, &rect, erase); }
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
        return ::SendMessageW(hwnd, message, wParam, lParam);
    }
    LONG_PTR GetStyle() const { return GetWindowLongPtrW(hwnd, GWL_STYLE); }
    void SetFont(HFONT font, bool redraw) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // What the window would have done without this object.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone and the object detached from it.
    virtual void PostNcDestroy() {}

private:
    static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static const wchar_t* OwnClassName();
    void Attach(HWND window, WNDPROC previousProc);
    void Detach();

    HWND hwnd = nullptr;
    WNDPROC previous = nullptr;
};
