#include "controls/win/PaintDC.h"

CPaintDC::CPaintDC(HWND paintedWindow) : window(paintedWindow) { hdc = BeginPaint(window, &paint); }

CPaintDC::~CPaintDC() {
    EndPaint(window, &paint);
    hdc = nullptr;
}
