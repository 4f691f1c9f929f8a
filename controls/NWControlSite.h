// The site: a mix-in that a real window class inherits beside its window base. It owns the
// controls, helps the host window route mouse input to them, lends them the host window for
// coordinates, invalidation and tooltips, and receives their notifications through the
// virtual hooks below, which the host overrides. Every hook has an empty default.
// [ui thread] throughout, like the host window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls/WElementSite.h"
#include "controls/win/Win32.h"

#include <uiautomationcore.h>

class CDC;
class CMenu;
class CNWControl;
class COurToolTipCtrl;
class CWindow;
class IBaseGraphicWrap;

class CNWControlSite : public CWElementSite {
public:
    CNWControlSite();
    ~CNWControlSite() override;

    // Virtual operations, in their fixed order.

    // The host calls NameSite with its source file name and its qualified function name.
    virtual void SetSiteName() = 0;
    virtual void InvalidateHost();
    virtual void ClientToScreen(POINT& point) const;
    virtual void ScreenToClient(POINT& point) const;
    virtual CWindow* GetHostWnd() const = 0;
    // The host places its controls here.
    virtual void LayoutControls() = 0;
    // Colours the host may impose (0xFFFFFFFF: none).
    virtual uint32_t GetBackgroundColor() const = 0;
    virtual uint32_t GetForegroundColor() const = 0;
    // A hook the toolkit never calls itself.
    virtual void OnSiteHook() = 0;
    virtual void OnTrackingEnd() {}
    virtual void OnControlMenu(CNWControl* control, UINT flags, CMenu& menu);
    virtual void OnControlAction(CNWControl* control, UINT keyFlags);
    virtual void UpdateControl(CNWControl* control);
    virtual void OnValueChanged(CNWControl* control);
    virtual void OnBeginChange(CNWControl* control);
    virtual void OnEndChange(CNWControl* control);
    // Fills `text` (the control's current value text) for the control's value; `reason` is 0.
    virtual void GetValueText(CNWControl* control, std::wstring& text, int reason);
    virtual void OnControlStateChanged(CNWControl* control);
    virtual void UpdateAllControls();
    // Draws every visible control the DC shows, in list order, the focus control last.
    virtual void DrawControls(CDC& dc);
    virtual void DrawControlsEx(IBaseGraphicWrap& context);
    virtual IRawElementProviderSimple* GetSiteProvider();
    virtual void OnControlsChanged();
    virtual COurToolTipCtrl* GetTooltipCtrl() const { return tooltip; }
    // Hides the cursor at the start of a drag (false) and shows it again at its end (true).
    virtual void ShowDragCursor(bool show);
    // Invalidates `rect`, or the control's rectangle grown by one pixel, with erasing.
    virtual void InvalidateControl(CNWControl* control, const RECT* rect);
    virtual void SetCapturedControl(CNWControl* control);
    virtual int32_t NextControlId() { return nextId++; }
    // The site takes ownership of `control`.
    virtual void AddControl(CNWControl* control, int inTabOrder, int makeFocus);
    virtual void DeleteAllControls();
    virtual CNWControl* CaptureControlAt(POINT point);
    virtual CNWControl* ControlFromId(int32_t id) const;
    virtual CNWControl* ControlFromPoint(POINT point) const;
    virtual void UpdateHover(POINT point);
    // A further hook the toolkit never calls itself.
    virtual void OnSiteLateHook() = 0;
    virtual void RefreshFocus();

    // Appended: keyboard and accessibility (NWSiteKeyboard.cpp, NWSiteAccessible.cpp). A host
    // that never calls EnableKeyboard gets none of it.

    // The host's first say on a key for the control with the keyboard focus: true when it
    // used the key (the control then does not see it).
    virtual bool OnControlKey(CNWControl* control, UINT key, UINT modifiers);
    // Whether Enter on this control is the control's (else the host's frame takes it).
    virtual bool WantsEnter(CNWControl* control);
    // What an accessibility client reads: the control's name (default: its name; for a null
    // control the site's own name, default: the site's name), its value
    // as text (default: its value text) and its role (a ROLE_SYSTEM_ code; default by kind).
    virtual void GetAccessibleName(CNWControl* control, std::wstring& text);
    virtual void GetAccessibleValue(CNWControl* control, std::wstring& text);
    virtual long GetAccessibleRole(CNWControl* control);
    // A value an accessibility client sets, as text: true when the host took it.
    virtual bool SetAccessibleValue(CNWControl* control, const std::wstring& text);

    // Hooks the host window, makes the tooltip window and registers every control as a tool.
    // The first AddControl does this when the host window exists; a host that adds its
    // controls before its window exists calls it once the window is there.
    void HookHostWindow();
    // The window hook's calls: the host window is being destroyed; the tooltip asks for text.
    void ReleaseHostWindow();
    bool AnswerTooltipText(NMTTDISPINFOW& info);

    HWND GetHostHandle() const;
    CNWControl* GetFocusControl() const { return focusControl; }
    CNWControl* GetCapturedControl() const { return capturedControl; }
    CNWControl* GetHoverControl() const { return hoverControl; }
    const std::vector<CNWControl*>& GetControls() const { return controls; }
    const std::vector<CNWControl*>& GetTabControls() const { return tabControls; }
    // The site owns this child window object and destroys it with itself.
    void SetChildWindow(CWindow* child);

    // Sites alive in the process.
    static size_t LiveCount();

    // Keyboard (NWSiteKeyboard.cpp). The host window gets a small child window that takes the
    // keyboard focus for the controls: Tab and Shift+Tab walk tabControls and hand the focus
    // back to the dialog around the host at either end; the other keys go to the focused
    // control (the host's OnControlKey first). Call once the host window exists.
    void EnableKeyboard();
    bool HasKeyboard() const { return keyboardWindow != nullptr; }
    // The window that holds the keyboard focus for the controls, or null.
    HWND GetKeyboardHandle() const;
    bool HasKeyboardFocus() const;
    // Gives the keyboard window the focus (a click does, before it picks its control).
    void TakeKeyboardFocus();
    // Moves the keyboard focus (and the focus display) to the control.
    void SetKeyboardControl(CNWControl* control);
    // One key for the focused control; true when something used it.
    bool HandleKey(UINT key, UINT modifiers);
    // Tab within the controls: true when the focus moved, false at an end (the host's dialog
    // then moves on).
    bool MoveKeyboardFocus(bool backwards);
    bool HasNextTabStop(bool backwards) const;
    // A key message the site uses (for the host's accelerator translation): true when used.
    bool TranslateKey(const MSG& message);
    // WM_MOUSEWHEEL (screen point) for the control under the pointer: true when it stepped.
    bool RouteWheel(WPARAM wParam, LPARAM lParam);
    // The keyboard focus frame shows only after a key was used, until the next click, as the
    // system's dialogs hide their focus cues from mouse users.
    void SetKeyboardCues(bool shown);
    // DoAction(7) on the control once the messages queued now are handled.
    void PostAction(CNWControl* control);
    // 1-based position of the control in `controls` (the accessibility child id), 0 if none.
    long ChildIdOf(const CNWControl* control) const;
    CNWControl* ControlFromChildId(long childId) const;

private:
    void RegisterTool(CNWControl* control);
    RECT KeyboardFrame(const CNWControl& control) const;

    CWindow* childWindow = nullptr;
    COurToolTipCtrl* tooltip = nullptr;
    int32_t nextId = 10;
    CNWControl* focusControl = nullptr;
    std::vector<CNWControl*> controls;
    std::vector<CNWControl*> tabControls;
    int cursorCount = 0;
    // Further state.
    CNWControl* capturedControl = nullptr;
    CNWControl* hoverControl = nullptr;
    HWND hookedWindow = nullptr;
    IRawElementProviderSimple* siteProvider = nullptr;
    CWindow* keyboardWindow = nullptr;  // owned as the site's child window
    bool keyboardCues = false;

protected:
    // The position in tabControls that keyboard navigation last reached; OnControlsChanged
    // forgets it, because the lists it points into changed.
    int tabIndex = -1;
};
