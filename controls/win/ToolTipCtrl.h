// A system tooltip window as a window object: tools over rectangles of an owner window,
// and one tracking tool that its user places and fills itself. [ui thread]
#pragma once

#include <string>

#include "controls/win/Window.h"

class CToolTipCtrl : public CWindow {
public:
    // A topmost popup tooltip owned by `owner`; it is destroyed with its owner.
    bool Create(HWND owner);

    // Adds a tool whose text the tooltip asks `owner` for (TTN_GETDISPINFO) each time it shows.
    bool AddCallbackTool(HWND owner, UINT_PTR id, const RECT& rect);
    void DelTool(HWND owner, UINT_PTR id);
    void SetToolRect(HWND owner, UINT_PTR id, const RECT& rect);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT, 0, 0)); }
    bool HasTool(HWND owner, UINT_PTR id) const;
    // Hides a tip that is showing.
    void Pop() { SendMessage(TTM_POP, 0, 0); }

    // The tracking tool: shown at a screen point with a text until it is hidden.
    void TrackShow(HWND owner, const std::wstring& text, POINT screenPoint);
    void TrackUpdate(HWND owner, const std::wstring& text, POINT screenPoint);
    void TrackHide(HWND owner);
    bool IsTracking() const { return tracking; }

    // The tracking tool's id: above every control id the sites hand out.
    static constexpr UINT_PTR kTrackingToolId = ~static_cast<UINT_PTR>(0);

private:
    TOOLINFOW Tool(HWND owner, UINT_PTR id) const;

    bool tracking = false;
};
