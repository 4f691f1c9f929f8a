// Resource ids of the toolkit test program (shared by the .rc and the tests).
#pragma once

#define IDB_TEST_STRIP 901    // 12x4, 32 bits, alpha unused: red, green, blue 4x4 frames
#define IDB_TEST_BLENDED 902  // 2x1, 32 bits: opaque white, transparent white
#define IDB_TEST_OPAQUE 903   // 1x1, 32 bits, alpha 255: grey
#define IDD_TEST_DIALOG 950
