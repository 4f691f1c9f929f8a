// The fonts and pens every control shares. Made by the first control ever constructed and kept
// until the process ends: GDI frees them then, and no control can outlive them.
#pragma once

#include <string>

#include "controls/win/Win32.h"

class CNWSharedDrawing {
public:
    // [ui thread] The objects, made on first call.
    static const CNWSharedDrawing& Get();
    static bool Exists();

    std::wstring faceName;
    HFONT cellFont;       // 8 points as a cell height
    HFONT normalFont;     // 8 points
    HFONT boldFont;       // 8 points, bold
    HFONT largeFont;      // 10 points
    HFONT largeBoldFont;  // 10 points, bold
    HPEN redPen;          // width 1
    HPEN wideRedPen;      // width 2
    // Extent of "Wh" in the 10-point font, measured only when the application asks for it.
    SIZE referenceTextSize;

private:
    CNWSharedDrawing();
};
