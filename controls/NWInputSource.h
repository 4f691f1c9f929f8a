// Which device produced the input message being handled. The system's query exists from
// Windows 8 on and is loaded at run time; where it is missing the device counts as unknown.
// [ui thread]
#pragma once

#include "controls/win/Win32.h"

class CNWInputSource {
public:
    using Query = BOOL(WINAPI*)(INPUT_MESSAGE_SOURCE*);

    // The device of the current message; IMDT_UNAVAILABLE when the system cannot tell.
    static INPUT_MESSAGE_DEVICE_TYPE CurrentDevice();
    // A slider drag puts the cursor back after every move for the mouse, and for an unknown
    // device, which is most likely a mouse; never for touch, pen or anything else.
    static bool WarpsCursor(INPUT_MESSAGE_DEVICE_TYPE device);

    // Tests stand in for the system's query (null: as if the system lacked it) and put the
    // system's back with RestoreQuery.
    static void ReplaceQuery(Query query);
    static void RestoreQuery();
};
