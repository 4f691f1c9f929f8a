// The drawing context of the graphics back-ends (GDI, GDI+, Direct2D), through which controls
// may draw instead of a device context. The back-ends extend it; the site needs only the
// visibility test that decides which controls to draw.
#pragma once

#include "controls/win/Win32.h"

class IBaseGraphicWrap {
public:
    virtual ~IBaseGraphicWrap() = default;
    virtual bool RectVisible(const RECT& rect) const = 0;
};
