// An off-screen device context over the part of a target DC that its clip box shows: callers
// draw in the target's own logical coordinates, and the result is copied to the target in one
// transfer when the object goes out of scope. Nothing outside the clip box is copied, so a
// partial repaint leaves the rest of the window as it was.
// [ui thread]
#pragma once

#include "controls/win/DC.h"

class CWMemDC : public CDC {
public:
    // `bitmap` (optional, not owned) is drawn into instead of a bitmap of the memory DC's own.
    explicit CWMemDC(CDC& target, HBITMAP bitmap = nullptr);
    ~CWMemDC() override;

    const RECT& GetTargetRect() const { return targetRect; }

    // Visibility tests and text output act on the memory DC's own handle, which is the one
    // handle a CDC holds: the base's operations need no replacement here.

private:
    HBITMAP ownBitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    CDC* target;
    RECT targetRect = {0, 0, 0, 0};
};
