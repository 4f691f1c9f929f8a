// Resource ids of the button test program (shared by its .rc and the tests).
#pragma once

#define IDB_BUTTON_STRIP 911  // 48x16, 32 bits, alpha unused: red, green, blue 16x16 frames
