// UI Automation for the toolkit's sites and controls. Accessibility is off unless a later
// change switches it on with the factory of its providers: until then no provider is made,
// no automation event is raised and the window hook leaves WM_GETOBJECT to the host window.
// The automation core is loaded at run time, on first use while accessibility is on.
// [ui thread]
#pragma once

#include <string>

#include "controls/win/Win32.h"

#include <uiautomationcore.h>

class CNWControl;
class CNWControlSite;

// Makes the providers; each comes back with one reference, which the control or site holds.
class INWProviderFactory {
public:
    virtual IRawElementProviderSimple* CreateControlProvider(CNWControl& control) = 0;
    virtual IRawElementProviderSimple* CreateSiteProvider(CNWControlSite& site) = 0;

protected:
    ~INWProviderFactory() = default;
};

class CNWAccessibility {
public:
    static void SwitchOn(INWProviderFactory* factory);
    static void SwitchOff();
    static bool IsOn();
    static INWProviderFactory* Factory();

    // True only while accessibility is on and an automation client listens.
    static bool ClientsListening();
    static void RaiseValueChanged(IRawElementProviderSimple* provider, const std::wstring& text);
    static void RaiseFocusChanged(IRawElementProviderSimple* provider);
    // The answer to WM_GETOBJECT for the root object id.
    static LRESULT ReturnProvider(HWND window, WPARAM wParam, LPARAM lParam,
                                  IRawElementProviderSimple* provider);
    // Tells the automation core that a window's providers are gone (only if it was loaded).
    static void ReleaseWindowProviders(HWND window);

    // Active Accessibility (oleacc): a WinEvent for a control of a site with a keyboard, as
    // child `ChildIdOf(control)` of the site's client object. Cheap when nobody listens: the
    // system drops events without hooks.
    static void NotifyControlEvent(DWORD event, const CNWControl& control);
};
