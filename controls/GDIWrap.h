// The drawing context of the GDI back-end: a device context seen through the back-ends'
// interface. The back-ends' own drawing (GDI+, Direct2D) lies outside this system; controls
// draw their DrawEx through this context's device context, the way their Draw does.
// [ui thread]
#pragma once

#include "controls/BaseGraphicWrap.h"
#include "controls/win/DC.h"

class CGDIWrap : public IBaseGraphicWrap {
public:
    explicit CGDIWrap(CDC& target) : dc(target) {}

    bool RectVisible(const RECT& rect) const override { return dc.RectVisible(rect); }
    CDC& GetDC() const { return dc; }

private:
    CDC& dc;
};
