#include "controls/NWControlSite.h"

#include <algorithm>

#include "controls/BaseGraphicWrap.h"
#include "controls/NWAccessibility.h"
#include "controls/NWControl.h"
#include "controls/NWMinMaxSlider.h"
#include "controls/NWSiteRegistry.h"
#include "controls/OurToolTipCtrl.h"
#include "controls/win/DC.h"
#include "controls/win/Menu.h"
#include "controls/win/Window.h"

namespace {

size_t liveSites = 0;

}  // namespace

CNWControlSite::CNWControlSite() : tooltip(new COurToolTipCtrl()) { ++liveSites; }

// The host has normally called DeleteAllControls; controls it left are still the site's.
CNWControlSite::~CNWControlSite() {
    CNWSiteRegistry::Unregister(this);
    for (CNWControl* control : controls) {
        delete control;
    }
    if (childWindow) {
        childWindow->DestroyWindow();
        delete childWindow;
    }
    if (tooltip && !tooltip->IsShared()) {
        delete tooltip;
    }
    if (siteProvider) {
        siteProvider->Release();
    }
    --liveSites;
}

size_t CNWControlSite::LiveCount() { return liveSites; }

HWND CNWControlSite::GetHostHandle() const {
    CWindow* host = GetHostWnd();
    return host ? host->GetSafeHwnd() : nullptr;
}

void CNWControlSite::InvalidateHost() {
    if (HWND host = GetHostHandle()) {
        InvalidateRect(host, nullptr, TRUE);
    }
}

void CNWControlSite::ClientToScreen(POINT& point) const {
    if (HWND host = GetHostHandle()) {
        ::ClientToScreen(host, &point);
    }
}

void CNWControlSite::ScreenToClient(POINT& point) const {
    if (HWND host = GetHostHandle()) {
        ::ScreenToClient(host, &point);
    }
}

void CNWControlSite::OnControlMenu(CNWControl*, UINT, CMenu&) {}

void CNWControlSite::OnControlAction(CNWControl*, UINT) {}

void CNWControlSite::UpdateControl(CNWControl*) {}

void CNWControlSite::OnValueChanged(CNWControl*) {}

void CNWControlSite::OnBeginChange(CNWControl*) {}

void CNWControlSite::OnEndChange(CNWControl*) {}

void CNWControlSite::GetValueText(CNWControl*, std::wstring&, int) {}

void CNWControlSite::OnControlStateChanged(CNWControl*) {}

void CNWControlSite::UpdateAllControls() {
    for (CNWControl* control : controls) {
        control->RequestUpdate();
    }
}

void CNWControlSite::DrawControls(CDC& dc) {
    auto drawIfShown = [&dc](CNWControl* control) {
        if (control->IsVisible() && dc.RectVisible(control->GetRect())) {
            control->Draw(dc);
        }
    };
    for (CNWControl* control : controls) {
        if (control != focusControl) {
            drawIfShown(control);
        }
    }
    if (focusControl) {
        drawIfShown(focusControl);
    }
    if (keyboardCues && capturedControl && capturedControl->IsVisible() && HasKeyboardFocus()) {
        const RECT frame = KeyboardFrame(*capturedControl);
        DrawFocusRect(dc.GetSafeHdc(), &frame);
    }
}

// The keyboard's focus frame: just outside the control (inside its invalid rectangle); on a
// range slider a band across the track around the end the keys move.
RECT CNWControlSite::KeyboardFrame(const CNWControl& control) const {
    RECT frame = control.GetRect();
    const auto* range = dynamic_cast<const CNWMinMaxSlider*>(&control);
    if (!range) {
        InflateRect(&frame, 1, 1);
        return frame;
    }
    constexpr LONG kBand = 5;  // pixels either side of the end's place on the track
    const LONG at = range->TrackPixel(range->GetKeyboardLow() ? range->GetLow() : range->GetHigh());
    LONG& first = range->IsHorizontal() ? frame.left : frame.top;
    LONG& last = range->IsHorizontal() ? frame.right : frame.bottom;
    first = std::max(first, at - kBand);
    last = std::min(last, at + kBand + 1);
    return frame;
}

void CNWControlSite::DrawControlsEx(IBaseGraphicWrap& context) {
    auto drawIfShown = [&context](CNWControl* control) {
        if (control->IsVisible() && context.RectVisible(control->GetRect())) {
            control->DrawEx(context);
        }
    };
    for (CNWControl* control : controls) {
        if (control != focusControl) {
            drawIfShown(control);
        }
    }
    if (focusControl) {
        drawIfShown(focusControl);
    }
}

IRawElementProviderSimple* CNWControlSite::GetSiteProvider() {
    if (!siteProvider && CNWAccessibility::IsOn()) {
        siteProvider = CNWAccessibility::Factory()->CreateSiteProvider(*this);
    }
    return siteProvider;
}

void CNWControlSite::OnControlsChanged() { tabIndex = -1; }

void CNWControlSite::GetAccessibleName(CNWControl* control, std::wstring& text) {
    text = control ? control->GetName() : GetSiteName();
}

void CNWControlSite::GetAccessibleValue(CNWControl* control, std::wstring& text) {
    text = control ? control->GetValueText() : std::wstring();
}

bool CNWControlSite::SetAccessibleValue(CNWControl*, const std::wstring&) { return false; }

// ShowCursor keeps a display count; the count it returned when hiding tells whether the
// cursor really went, so that showing never raises the count above where it was.
void CNWControlSite::ShowDragCursor(bool show) {
    if (!show) {
        COurToolTipCtrl::PopAll();
        cursorCount = ShowCursor(FALSE);
    } else if (cursorCount < 0) {
        cursorCount = ShowCursor(TRUE);
    }
}

void CNWControlSite::InvalidateControl(CNWControl* control, const RECT* rect) {
    HWND host = GetHostHandle();
    if (!host || !control) {
        return;
    }
    RECT area = rect ? *rect : control->GetRect();
    if (!rect) {
        InflateRect(&area, 1, 1);
    }
    InvalidateRect(host, &area, TRUE);
}

void CNWControlSite::SetCapturedControl(CNWControl* control) {
    capturedControl = control;
    RefreshFocus();
    if (control && CNWAccessibility::ClientsListening()) {
        CNWAccessibility::RaiseFocusChanged(control->GetAccessibleProvider());
    }
    if (control && HasKeyboardFocus()) {
        CNWAccessibility::NotifyControlEvent(EVENT_OBJECT_FOCUS, *control);
    }
}

void CNWControlSite::AddControl(CNWControl* control, int inTabOrder, int makeFocus) {
    if (!control) {
        return;
    }
    if (controls.empty()) {
        SetSiteName();
        HookHostWindow();
        CNWSiteRegistry::Register(this);
    }
    controls.push_back(control);
    if (inTabOrder) {
        tabControls.push_back(control);
    }
    RegisterTool(control);
    if (makeFocus) {
        focusControl = control;
    }
    OnControlsChanged();
    control->OnAddedToSite();
}

void CNWControlSite::DeleteAllControls() {
    SetCapturedControl(nullptr);
    hoverControl = nullptr;
    focusControl = nullptr;
    HWND host = GetHostHandle();
    for (CNWControl* control : controls) {
        if (tooltip && tooltip->IsWindow() && host) {
            tooltip->DelTool(host, static_cast<UINT_PTR>(control->GetId()));
        }
        delete control;
    }
    controls.clear();
    tabControls.clear();
    OnControlsChanged();
    if (host) {
        CNWAccessibility::ReleaseWindowProviders(host);
    }
}

CNWControl* CNWControlSite::CaptureControlAt(POINT point) {
    CNWControl* control = ControlFromPoint(point);
    SetCapturedControl(control);
    return control;
}

CNWControl* CNWControlSite::ControlFromId(int32_t id) const {
    auto found = std::find_if(controls.begin(), controls.end(),
                              [id](const CNWControl* control) { return control->IsId(id); });
    return found == controls.end() ? nullptr : *found;
}

CNWControl* CNWControlSite::ControlFromPoint(POINT point) const {
    if (focusControl && focusControl->HitTest(point)) {
        return focusControl;
    }
    for (CNWControl* control : controls) {
        if (control->HitTest(point)) {
            return control;
        }
    }
    return nullptr;
}

// A pressed hover control keeps the hover while it is dragged, wherever the pointer goes.
void CNWControlSite::UpdateHover(POINT point) {
    if (hoverControl && hoverControl->IsPressed()) {
        return;
    }
    CNWControl* under = ControlFromPoint(point);
    if (under == hoverControl) {
        return;
    }
    CNWControl* previous = hoverControl;
    hoverControl = under;
    if (previous) {
        previous->OnMouseLeave();
    } else if (HWND host = GetHostHandle()) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, host, 0};
        TrackMouseEvent(&track);
    }
    if (under) {
        under->OnMouseEnter();
    }
}

void CNWControlSite::RefreshFocus() {
    for (CNWControl* control : controls) {
        if (control == capturedControl) {
            control->SetFocusState(true, true);
        } else if (control->HasFocusDisplay()) {
            control->SetFocusState(false, true);
        }
    }
}

void CNWControlSite::HookHostWindow() {
    HWND host = GetHostHandle();
    if (!host) {
        return;
    }
    hookedWindow = host;
    CNWSiteRegistry::HookWindow(host, this);
    if (tooltip && !tooltip->IsWindow() && tooltip->Create(host)) {
        for (CNWControl* control : controls) {
            RegisterTool(control);
        }
    }
}

void CNWControlSite::ReleaseHostWindow() {
    for (CNWControl* control : controls) {
        control->CancelTracking();
    }
    SetCapturedControl(nullptr);
    hoverControl = nullptr;
    if (tooltip && tooltip->IsWindow()) {
        tooltip->TrackHide(hookedWindow);
        tooltip->DestroyWindow();
    }
    if (hookedWindow) {
        CNWAccessibility::ReleaseWindowProviders(hookedWindow);
    }
    hookedWindow = nullptr;
}

bool CNWControlSite::AnswerTooltipText(NMTTDISPINFOW& info) {
    if (!tooltip || info.hdr.hwndFrom != tooltip->GetSafeHwnd()) {
        return false;
    }
    CNWControl* control = ControlFromId(static_cast<int32_t>(info.hdr.idFrom));
    if (!control) {
        return false;
    }
    // The tooltip copies the text before the next notification, so one buffer serves.
    static std::wstring text;
    control->GetTooltipText(text);
    info.lpszText = text.data();
    info.szText[0] = L'\0';
    info.hinst = nullptr;
    return true;
}

void CNWControlSite::SetChildWindow(CWindow* child) {
    if (childWindow && childWindow != child) {
        childWindow->DestroyWindow();
        delete childWindow;
    }
    childWindow = child;
}

void CNWControlSite::RegisterTool(CNWControl* control) {
    HWND host = GetHostHandle();
    if (tooltip && tooltip->IsWindow() && host) {
        tooltip->AddCallbackTool(host, static_cast<UINT_PTR>(control->GetId()), control->GetRect());
    }
}
