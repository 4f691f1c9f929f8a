// The one include of the system headers for the toolkit: windows, GDI, common controls.
#pragma once

#include "platform/ComTypes.h"

#include <commctrl.h>
