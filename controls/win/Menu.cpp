#include "controls/win/Menu.h"

bool CMenu::CreatePopupMenu() {
    if (menu) {
        return false;
    }
    menu = ::CreatePopupMenu();
    return menu != nullptr;
}

void CMenu::DestroyMenu() {
    if (menu) {
        ::DestroyMenu(menu);
    }
    menu = nullptr;
}
