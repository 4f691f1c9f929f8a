// The in-place editor's spin control: four small buttons beside the field, in two columns.
// The left column steps by one ("+" up, "-" down), the right column by ten ("]" up,
// "[" down); a press steps the editor's text, and holding the button repeats the step.
// [ui thread] throughout, like its window.
#pragma once

#include "controls/win/Window.h"

class CPropEditCtrl;

class CCellSpinCtrl : public CWindow {
public:
    // The keys of the four buttons, in their order.
    static constexpr wchar_t kKeys[4] = {L'+', L'-', L']', L'['};

    // A child of `parent` over `rect`, stepping `editor`, which must outlive the window.
    bool Create(HWND parent, const RECT& rect, CPropEditCtrl& editor);
    // The button under a point of the spin's client area (0-3), or -1.
    int ButtonAt(POINT point) const;
    // The button's rectangle in the spin's client coordinates.
    RECT ButtonRect(int button) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Press(int button);
    void Paint();
    void DrawButton(HDC dc, int button) const;

    CPropEditCtrl* target = nullptr;
    int pressed = -1;
};
