// The small child window of a site's host window that holds the keyboard focus for the
// windowless controls. It has no size and draws nothing; it is a tab stop, so the dialog
// around the host (a property frame) tabs into it, and it asks the dialog manager for Tab only
// while the site has a further control that way, so that Tab leaves at either end.
// [ui thread]
#pragma once

#include "controls/win/Window.h"

class CNWControlSite;

class CNWKeyboardWindow : public CWindow {
public:
    explicit CNWKeyboardWindow(CNWControlSite& owner) : site(owner) {}
    bool Create(HWND host);

    // The modifier keys held now, as CNWControl::KeyModifier bits.
    static UINT HeldModifiers();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT DialogCode(const MSG* message) const;
    void OnSetFocus();

    CNWControlSite& site;
};
