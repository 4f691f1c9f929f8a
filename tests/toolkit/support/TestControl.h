// A control for the tests: it records its mouse callbacks in a shared log and draws itself as a
// filled rectangle in its own colour, with its value as a lighter bar from the bottom and its
// name, then the base decorations (corner mark, focus frame).
#pragma once

#include <string>
#include <vector>

#include "controls/NWControl.h"

class TestControl : public CNWControl {
public:
    TestControl(CNWControlSite& site, std::vector<std::string>& log, COLORREF color);
    ~TestControl() override;

    void Draw(CDC& dc) override;
    void OnLButtonDown(UINT keyFlags, POINT point) override;
    void OnLButtonUp(UINT keyFlags, POINT point) override;
    void OnLButtonDblClk(UINT keyFlags, POINT point) override;
    void OnMouseMove(UINT keyFlags, POINT point) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnAddedToSite() override;

    // The bar colour: the control's colour, lightened halfway to white.
    COLORREF BarColor() const;

    COLORREF color;
    int drawCount = 0;
    // Set when the control is deleted, so a test can see the site delete it.
    bool* deleted = nullptr;

private:
    void Record(const char* what);

    std::vector<std::string>& log;
};
