// The process-wide records of the toolkit's sites: the set of live (registered) sites and the
// map of hooked host windows. A hooked window's procedure is the toolkit's own, which answers
// a few messages for its sites and passes every message on to the procedure it replaced.
// Entries for sites that are gone are ignored, so a window may outlive its sites.
// [ui thread]
#pragma once

#include "controls/win/Win32.h"

class CNWControlSite;

class CNWSiteRegistry {
public:
    static void Register(CNWControlSite* site);
    // Also takes the site out of every hooked window's entry.
    static void Unregister(CNWControlSite* site);
    static bool IsRegistered(const CNWControlSite* site);

    // Replaces the window's procedure on first use; a further site joins the window's entry.
    static void HookWindow(HWND window, CNWControlSite* site);
    static bool IsHooked(HWND window);
    static bool IsHookedFor(HWND window, const CNWControlSite* site);
    // The first live site of a hooked window, or null.
    static CNWControlSite* FirstSiteOf(HWND window);

private:
    static LRESULT CALLBACK HookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
