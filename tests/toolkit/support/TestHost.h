// Test support: a control drawn as a rectangle in its own colour; a host that is a real
// top-level window and a site, routing mouse input to the controls as the editor page does and
// logging that routing and every site hook ("down 10, begin 10, ...").
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "controls/NWControl.h"
#include "controls/NWControlSite.h"
#include "controls/win/DC.h"
#include "controls/win/Window.h"
#include "guisupport/PixelCanvas.h"

// Appends "what id" to a comma-separated log.
void Record(std::string& log, const char* what, const CNWControl* control);

class TestControl : public CNWControl {
public:
    TestControl(CNWControlSite& owner, std::string& sharedLog, COLORREF fill)
        : CNWControl(owner), color(fill), log(sharedLog) {}

    // The rectangle in its colour, then the base decorations (corner mark, focus frame).
    void Draw(CDC& dc) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnAddedToSite() override { Record(log, "added", this); }

    COLORREF color;
    int drawCount = 0;

private:
    std::string& log;
};

class TestHost : public CWindow, public CNWControlSite {
public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 120;

    // Without a window the site has no host window, as the page before its window exists.
    explicit TestHost(bool withWindow = true);
    ~TestHost() override;

    // Makes a control, places it and adds it with (control, inTabOrder, makeFocus).
    TestControl* Add(const RECT& rect, COLORREF color = 0, int inTabOrder = 1, int makeFocus = 0);
    LRESULT Mouse(UINT message, int x, int y) { return SendMessage(message, 0, MAKELPARAM(x, y)); }
    // The log since the last call, which it clears.
    std::string TakeLog() { return std::exchange(log, ""); }

    void SetSiteName() override { NameSite("TestHost", "TestHost::SetSiteName"); }
    CWindow* GetHostWnd() const override { return const_cast<TestHost*>(this); }
    void LayoutControls() override {}
    uint32_t GetBackgroundColor() const override { return 0xFFFFFFFF; }
    uint32_t GetForegroundColor() const override { return 0xFFFFFFFF; }
    void OnSiteHook() override {}
    void OnSiteLateHook() override {}
    void OnControlMenu(CNWControl* control, UINT flags, CMenu& menu) override;
    void OnValueChanged(CNWControl* control) override { Record(log, "value", control); }
    void OnBeginChange(CNWControl* control) override { Record(log, "begin", control); }
    void OnEndChange(CNWControl* control) override { Record(log, "end", control); }
    // Logs "text 10" and gives the value in per cent ("50%").
    void GetValueText(CNWControl* control, std::wstring& text, int reason) override;
    void OnControlStateChanged(CNWControl* control) override { Record(log, "state", control); }
    void OnControlsChanged() override;

    std::string log;
    COLORREF background = RGB(40, 40, 64);
    // The last menu a control offered, to check that it is destroyed afterwards.
    HMENU lastMenu = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
