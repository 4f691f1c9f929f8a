// The module whose resources the toolkit loads (bitmaps, dialog templates). Inside the plug-in
// DLL that is the DLL, never the host's executable, which has resources of its own under the
// same ids. By default it is the module that contains the toolkit's code, which is right for
// the DLL and for a test program alike; the DLL may still set its HINSTANCE explicitly.
#pragma once

#include "controls/win/Win32.h"

class CResourceModule {
public:
    // [ui thread]
    static HINSTANCE Get();
    // [ui thread] Null returns to the default.
    static void Set(HINSTANCE module);
};
