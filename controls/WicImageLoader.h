// Decodes an image resource of type "Image" or "PNG" through the Windows Imaging Component
// into a 32-bit DIB section with straight (not premultiplied) alpha, as a 32-bit bitmap
// resource would load. The imaging factory is made once per process, on first need, and kept
// for the process; COM must be initialised on the calling thread.
// [ui thread]
#pragma once

#include "controls/win/Win32.h"

class CWicImageLoader {
public:
    // Null when there is no such resource, no factory, or the data does not decode.
    static HBITMAP LoadResourceImage(HMODULE module, UINT resourceId);
};
