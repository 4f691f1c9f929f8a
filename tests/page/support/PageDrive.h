// Driving the page's controls as the mouse would, without moving the system's pointer: the
// controls' own mouse handlers with a touch device reported, so that a slider does not put the
// cursor back after each move (and measures each move from the last one). [ui thread]
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "host/ParamFields.h"
#include "support/PageHarness.h"

// While it lives, the toolkit's sliders hear that a finger, not the mouse, drags them.
class TouchInput {
public:
    TouchInput();
    ~TouchInput();
    TouchInput(const TouchInput&) = delete;
    TouchInput& operator=(const TouchInput&) = delete;
};

// Presses a range slider just beyond the chosen handle (below the low one, above the high
// one, so that it is the nearer), moves `up` pixels up (negative: down) and releases.
void DragHandle(CNWMinMaxSlider* slider, bool low, int up);
// A double-click in the middle of a control.
void DoubleClick(CNWControl* control);

// Expected settings by field name ("arpBottom", 110).
using Fields = std::initializer_list<std::pair<const char*, int32_t>>;
void ExpectFields(const ArpeggiatorParams& params, Fields expected);
