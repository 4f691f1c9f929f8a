// The site's keyboard: the focus window, Tab order, keys to the focused control, the wheel to
// the control under the pointer. The focused control is the captured one (the one a click
// picked last), so a click and the keyboard agree on where the focus is.
#include <algorithm>

#include "controls/NWAccessibility.h"
#include "controls/NWControl.h"
#include "controls/NWControlSite.h"
#include "controls/NWKeyboardWindow.h"
#include "controls/NWSiteAccessible.h"

#include <windowsx.h>

namespace {

bool IsTabStop(const CNWControl* control) { return control->IsVisible() && control->IsEnabled(); }

}  // namespace

bool CNWControlSite::OnControlKey(CNWControl*, UINT, UINT) { return false; }

bool CNWControlSite::WantsEnter(CNWControl* control) { return control && control->UsesEnter(); }

void CNWControlSite::EnableKeyboard() {
    HWND host = GetHostHandle();
    if (!host) return;
    auto* window = new CNWKeyboardWindow(*this);
    if (!window->Create(host)) {
        delete window;
        return;
    }
    SetChildWindow(window);
    keyboardWindow = window;
}

HWND CNWControlSite::GetKeyboardHandle() const {
    return keyboardWindow ? keyboardWindow->GetSafeHwnd() : nullptr;
}

bool CNWControlSite::HasKeyboardFocus() const {
    HWND window = GetKeyboardHandle();
    return window && GetFocus() == window;
}

void CNWControlSite::TakeKeyboardFocus() {
    if (HWND window = GetKeyboardHandle(); window && GetFocus() != window) SetFocus(window);
}

// A control that is already the captured one is announced again: the window has just taken
// the focus back.
void CNWControlSite::SetKeyboardControl(CNWControl* control) {
    if (control != GetCapturedControl()) {
        SetCapturedControl(control);  // announces the focus
        return;
    }
    if (control) {
        InvalidateControl(control, nullptr);
        if (HasKeyboardFocus()) CNWAccessibility::NotifyControlEvent(EVENT_OBJECT_FOCUS, *control);
    }
}

void CNWControlSite::SetKeyboardCues(bool shown) {
    if (keyboardCues == shown) return;
    keyboardCues = shown;
    if (CNWControl* control = GetCapturedControl()) InvalidateControl(control, nullptr);
}

bool CNWControlSite::HasNextTabStop(bool backwards) const {
    const auto& stops = tabControls;
    auto at = std::find(stops.begin(), stops.end(), GetCapturedControl());
    if (backwards) {
        return std::any_of(stops.begin(), at, IsTabStop);
    }
    return std::any_of(at == stops.end() ? stops.begin() : at + 1, stops.end(), IsTabStop);
}

// From no focused control (or one outside the tab order) Tab starts at the first stop and
// Shift+Tab at the last.
bool CNWControlSite::MoveKeyboardFocus(bool backwards) {
    const std::vector<CNWControl*>& stops = tabControls;
    const auto at = std::find(stops.begin(), stops.end(), GetCapturedControl());
    CNWControl* next = nullptr;
    if (backwards) {
        const auto found = std::find_if(std::make_reverse_iterator(at), stops.rend(), IsTabStop);
        next = found == stops.rend() ? nullptr : *found;
    } else {
        const auto found =
            std::find_if(at == stops.end() ? stops.begin() : at + 1, stops.end(), IsTabStop);
        next = found == stops.end() ? nullptr : *found;
    }
    if (!next) return false;
    SetKeyboardControl(next);
    return true;
}

bool CNWControlSite::HandleKey(UINT key, UINT modifiers) {
    if (key == VK_TAB) {
        SetKeyboardCues(true);
        return MoveKeyboardFocus((modifiers & CNWControl::kShiftKey) != 0);
    }
    CNWControl* control = GetCapturedControl();
    if (!control || (key == VK_RETURN && !WantsEnter(control))) return false;
    const bool used = OnControlKey(control, key, modifiers) || control->OnKeyDown(key, modifiers);
    if (used) SetKeyboardCues(true);
    return used;
}

// Only the keys the site would use: the others stay with the host's frame.
bool CNWControlSite::TranslateKey(const MSG& message) {
    HWND window = GetKeyboardHandle();
    if (!window || message.hwnd != window ||
        (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)) {
        return false;
    }
    const UINT key = static_cast<UINT>(message.wParam);
    const UINT modifiers = CNWKeyboardWindow::HeldModifiers();
    if (key == VK_TAB && !HasNextTabStop((modifiers & CNWControl::kShiftKey) != 0)) return false;
    if (key == VK_ESCAPE) return false;
    return HandleKey(key, modifiers);
}

bool CNWControlSite::RouteWheel(WPARAM wParam, LPARAM lParam) {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(point);
    CNWControl* control = ControlFromPoint(point);
    if (!control || !control->IsEnabled()) return false;
    return control->OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam)) != 0;
}

void CNWControlSite::PostAction(CNWControl* control) {
    HWND host = GetHostHandle();
    if (const long child = ChildIdOf(control); host && child != 0) {
        PostMessageW(host, nwaccessible::ActionMessage(), static_cast<WPARAM>(child), 0);
    }
}

long CNWControlSite::ChildIdOf(const CNWControl* control) const {
    const auto found = std::find(controls.begin(), controls.end(), control);
    return found == controls.end() ? 0 : static_cast<long>(found - controls.begin()) + 1;
}

CNWControl* CNWControlSite::ControlFromChildId(long childId) const {
    if (childId < 1 || static_cast<size_t>(childId) > controls.size()) return nullptr;
    return controls[static_cast<size_t>(childId) - 1];
}
