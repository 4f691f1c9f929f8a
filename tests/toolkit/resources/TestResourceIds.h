// Resource ids of the toolkit test program (shared by the .rc and the tests).
#pragma once

#define IDB_TEST_STRIP 901  // 12x4, 32 bits, alpha unused: red, green, blue 4x4 frames
