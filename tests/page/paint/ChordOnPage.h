// A recognised chord on an open page, as a player's left hand makes one: the left-hand window
// switched on through the filter's persistence (as a host loads settings), the chord's keys
// pressed on live input, the engine's notification handled by the page.
// [ui thread]
#pragma once

#include <string>

#include "support/PageHarness.h"

// False (with the test failed) when the display never named the chord.
bool ShowChord(PageHarness& h, const std::wstring& chord);
// The keys `ShowChord` pressed, let go again.
void ReleaseChord(PageHarness& h, const std::wstring& chord);
