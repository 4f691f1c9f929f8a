// Every drawing call the program makes into one window's device contexts, seen through the
// program's own import table: while a log lives, the GDI and USER drawing functions that the
// page and the toolkit import (BitBlt, Rectangle, TextOutW, DrawTextW, FillRect, ...) go
// through a recorder first. Drawing into memory contexts is not recorded, so what remains is
// what reached the window: for a flicker-free page, one BitBlt per paint.
// [ui thread]: one log at a time, on the thread that paints.
#pragma once

#include <string>
#include <vector>

#include "controls/win/Win32.h"

class DrawCallLog {
public:
    struct Call {
        std::string function;
        DWORD rop;  // the raster operation of a BitBlt, else 0
        RECT area;  // the destination of a BitBlt, else empty
    };

    explicit DrawCallLog(HWND watched);
    ~DrawCallLog();
    DrawCallLog(const DrawCallLog&) = delete;
    DrawCallLog& operator=(const DrawCallLog&) = delete;

    // The calls that drew into the watched window, in order.
    const std::vector<Call>& WindowCalls() const { return windowCalls; }
    // How many drawing calls went anywhere (memory contexts included): proof that the
    // recorder sits in front of the drawing at all.
    size_t AllCalls() const { return allCalls; }

    // [any hook]
    static void Record(const char* function, HDC dc, DWORD rop, RECT area);

private:
    HWND window;
    std::vector<Call> windowCalls;
    size_t allCalls = 0;
};
