// A host for the tests: a real top-level window that is also a site, routing its mouse input
// to the controls exactly as the editor page does, painting through a memory DC, and logging
// every site hook the controls call ("value 10", "begin 10", ...).
#pragma once

#include <string>
#include <vector>

#include "controls/NWControlSite.h"
#include "controls/win/Window.h"
#include "support/TestControl.h"

class TestHost : public CWindow, public CNWControlSite {
public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 120;

    // Without a window the site has no host window (as the page before its window exists).
    explicit TestHost(bool withWindow = true);
    ~TestHost() override;

    // Makes a control, places it and adds it with (control, inTabOrder, makeFocus).
    TestControl* Add(const RECT& rect, COLORREF color, int inTabOrder = 1, int makeFocus = 0);
    // Sends a mouse message with client coordinates to the window.
    LRESULT Mouse(UINT message, int x, int y, WPARAM keyFlags = 0);
    // The window's paint: background, then the controls.
    void Paint(CDC& target);
    // The log since the last call, which it clears.
    std::vector<std::string> TakeLog();

    // Site operations.
    void SetSiteName() override;
    CWindow* GetHostWnd() const override { return const_cast<TestHost*>(this); }
    void LayoutControls() override {}
    uint32_t GetBackgroundColor() const override { return 0xFFFFFFFF; }
    uint32_t GetForegroundColor() const override { return 0xFFFFFFFF; }
    void OnSiteHook() override {}
    void OnSiteLateHook() override {}
    void OnTrackingEnd() override;
    void OnControlMenu(CNWControl* control, UINT flags, CMenu& menu) override;
    void OnControlAction(CNWControl* control, UINT keyFlags) override;
    void UpdateControl(CNWControl* control) override;
    void OnValueChanged(CNWControl* control) override;
    void OnBeginChange(CNWControl* control) override;
    void OnEndChange(CNWControl* control) override;
    void GetValueText(CNWControl* control, std::wstring& text, int reason) override;
    void OnControlStateChanged(CNWControl* control) override;
    void OnControlsChanged() override;

    std::vector<std::string> log;
    COLORREF background = RGB(40, 40, 64);
    int paintCount = 0;
    // The last menu a control offered, to check that it is destroyed afterwards.
    HMENU lastMenu = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Record(const char* what, const CNWControl* control);
};
