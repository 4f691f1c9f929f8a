// Driving the page's controls as the mouse would, without moving the system's pointer: the
// controls' own mouse handlers with a touch device reported (TouchInput), so that a slider does not
// put the cursor back after each move (and measures each move from the last one). [ui thread]
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "guisupport/RealInput.h"
#include "host/ParamFields.h"
#include "support/PageHarness.h"

// Presses a range slider just beyond the chosen handle (below the low one, above the high
// one, so that it is the nearer), moves `up` pixels up (negative: down) and releases.
void DragHandle(CNWMinMaxSlider* slider, bool low, int up);
// A double-click in the middle of a control.
void DoubleClick(CNWControl* control);

// Expected settings by field name ("arpBottom", 110).
using Fields = std::initializer_list<std::pair<const char*, int32_t>>;
void ExpectFields(const ArpeggiatorParams& params, Fields expected);
