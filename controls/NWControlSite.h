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

private:
    void RegisterTool(CNWControl* control);

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

protected:
    // The position in tabControls that keyboard navigation last reached; OnControlsChanged
    // forgets it, because the lists it points into changed.
    int tabIndex = -1;
};
