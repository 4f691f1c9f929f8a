#include "support/TestControl.h"

#include "controls/NWSharedDrawing.h"
#include "controls/win/DC.h"

TestControl::TestControl(CNWControlSite& owner, std::vector<std::string>& sharedLog, COLORREF fill)
    : CNWControl(owner), color(fill), log(sharedLog) {}

TestControl::~TestControl() {
    if (deleted) {
        *deleted = true;
    }
}

COLORREF TestControl::BarColor() const {
    return RGB((GetRValue(color) + 255) / 2, (GetGValue(color) + 255) / 2,
               (GetBValue(color) + 255) / 2);
}

void TestControl::Draw(CDC& dc) {
    ++drawCount;
    dc.FillSolidRect(rect, color);
    if (value > minValue && maxValue > minValue) {
        const double fraction = (value - minValue) / (maxValue - minValue);
        RECT bar = rect;
        bar.top = rect.bottom - static_cast<LONG>((rect.bottom - rect.top) * fraction);
        InflateRect(&bar, -2, 0);
        dc.FillSolidRect(bar, BarColor());
    }
    if (!shortName.empty()) {
        HGDIOBJ font = dc.SelectObject(CNWSharedDrawing::Get().normalFont);
        const int mode = dc.SetBkMode(TRANSPARENT);
        const COLORREF text = dc.SetTextColor(RGB(255, 255, 255));
        RECT area = rect;
        dc.DrawText(shortName, area, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
        dc.SetTextColor(text);
        dc.SetBkMode(mode);
        dc.SelectObject(font);
    }
    CNWControl::Draw(dc);
}

void TestControl::Record(const char* what) {
    log.push_back(std::string(what) + " " + std::to_string(id));
}

void TestControl::OnLButtonDown(UINT keyFlags, POINT point) {
    Record("down");
    CNWControl::OnLButtonDown(keyFlags, point);
}

void TestControl::OnLButtonUp(UINT keyFlags, POINT point) {
    Record("up");
    CNWControl::OnLButtonUp(keyFlags, point);
}

void TestControl::OnLButtonDblClk(UINT keyFlags, POINT point) {
    Record("dblclk");
    CNWControl::OnLButtonDblClk(keyFlags, point);
}

void TestControl::OnMouseMove(UINT keyFlags, POINT point) {
    Record("move");
    CNWControl::OnMouseMove(keyFlags, point);
}

void TestControl::OnMouseEnter() {
    Record("enter");
    CNWControl::OnMouseEnter();
}

void TestControl::OnMouseLeave() {
    Record("leave");
    CNWControl::OnMouseLeave();
}

void TestControl::OnAddedToSite() { Record("added"); }
