// The Active Accessibility (oleacc) face of a site: the client object of the host window, whose
// children are the site's controls as simple elements, child id = position in the site's list
// + 1. A screen reader reads each control's name, role, state and value through it, sets
// values (as the host takes them, SetAccessibleValue) and triggers a control's default action
// (DoAction 7: toggle, open the menu, open the number editor).
//
// Why this and not the toolkit's UI Automation providers: readers reach both, but Wine's
// automation core answers the pattern and provider calls with stubs, so only this face can be
// exercised where the toolkit is tested; the automation switch stays off.
//
// The object holds only the host window: each call finds the window's live site, so a client
// that keeps the object after the page went gets RPC_E_DISCONNECTED, never a dead site.
// [ui thread]: calls arrive through COM on the thread that answered WM_GETOBJECT.
#pragma once

#include "controls/win/Win32.h"

#include <oleacc.h>

class CNWControlSite;

namespace nwaccessible {

// The answer to WM_GETOBJECT for OBJID_CLIENT (LresultFromObject), or 0 when the site has none.
LRESULT AnswerClientObject(HWND window, WPARAM wParam);
// The registered message with which a default action reaches the window's own thread after
// the client's call returned (the action may run a modal loop: a menu, the number editor).
UINT ActionMessage();
// The posted action: wParam = child id.
void RunAction(CNWControlSite& site, WPARAM childId);

}  // namespace nwaccessible
