// Resource ids of the toolkit test programs (shared by their .rc and the tests).
#pragma once

#define IDB_BUTTON_STRIP 911  // 48x16, 32 bits, alpha unused: red, green, blue 16x16 frames
