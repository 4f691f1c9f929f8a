// A popup menu owned by this object and destroyed with it. [ui thread]
#pragma once

#include "controls/win/Win32.h"

class CMenu {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu() { DestroyMenu(); }

    bool CreatePopupMenu();
    void DestroyMenu();
    HMENU GetSafeHmenu() const { return menu; }

    bool AppendMenu(UINT flags, UINT_PTR idOrSubmenu, const wchar_t* text) {
        return ::AppendMenuW(menu, flags, idOrSubmenu, text) != 0;
    }
    int GetMenuItemCount() const { return ::GetMenuItemCount(menu); }
    // Shows the menu at a screen position; the chosen command arrives at `owner` as WM_COMMAND
    // (or is returned, with TPM_RETURNCMD).
    UINT TrackPopupMenu(UINT flags, int x, int y, HWND owner) {
        return static_cast<UINT>(::TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr));
    }

private:
    HMENU menu = nullptr;
};
