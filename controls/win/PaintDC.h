// The device context of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
// [ui thread]
#pragma once

#include "controls/win/DC.h"

class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND paintedWindow);
    ~CPaintDC() override;

    const PAINTSTRUCT& GetPaintStruct() const { return paint; }

private:
    HWND window;
    PAINTSTRUCT paint = {};
};
