// Test support for the sliders: a host window that also logs the hooks a slider drag calls
// ("cursor hidden", "tracking end", ...), the page's style record, and a stand-in for the
// system's input-source query (guisupport's).
#pragma once

#include <utility>

#include "controls/NWMinMaxSlider.h"
#include "controls/NWSliderCtrl.h"
#include "guisupport/RealInput.h"
#include "support/TestHost.h"

// The editor page's style record: no tracking tip, value text shown, resendOnPress kept.
NWControlStyle PageStyle();
// The page's style without the value text, for pixel tests of the bar alone.
NWControlStyle PageStyleWithoutText();

class SliderHost : public TestHost {
public:
    explicit SliderHost(bool withWindow = true) : TestHost(withWindow) {}

    // A slider made as the page makes it: style, colours (hollow unless told), then added.
    CNWSliderCtrl* AddSlider(const RECT& rect, const NWControlStyle& style = PageStyle());
    CNWMinMaxSlider* AddRangeSlider(const RECT& rect, const NWControlStyle& style = PageStyle());

    void OnTrackingEnd() override { Note("tracking end"); }
    void OnControlAction(CNWControl* control, UINT keyFlags) override;
    void ShowDragCursor(bool show) override;
    // Logs "text 10"; the text is the value in per cent, or "low/high" for a range, formatted
    // without allocating, so that a drag can be counted.
    void GetValueText(CNWControl* control, std::wstring& text, int reason) override;

    // The cursor's screen position for a point of the client area.
    POINT ToScreen(POINT client) const;

private:
    void Note(const char* what) { log += log.empty() ? what : std::string(", ") + what; }
};

// A point as a pair, which test failures print.
inline std::pair<LONG, LONG> XY(POINT point) { return {point.x, point.y}; }

// Page colours: fill, border, lit, separator, disabled lit.
constexpr COLORREF kFill = RGB(22, 20, 77);
constexpr COLORREF kBorder = RGB(118, 112, 188);
constexpr COLORREF kLit = RGB(186, 184, 252);
constexpr COLORREF kSeparator = RGB(115, 113, 192);
constexpr COLORREF kDisabledLit = RGB(125, 123, 212);
