// Real input for the toolkit's gui tests: keys and mouse events through SendInput, as a user
// would give them, and waiting for their effect by pumping messages under a time limit.
#pragma once

#include <functional>
#include <string>

#include "controls/win/Win32.h"

namespace realinput {

// Keys as text: characters are typed through the keyboard layout; names in braces are keys
// ({Enter}, {Esc}, {Tab}, {Up}, {Down}, {Left}, {Right}, {Home}, {End}, {Back}, {Add},
// {Subtract}, {Minus}, {F5}), optionally with modifiers ({Shift+Equals}, {Ctrl+Z}, {Alt+F4}).
void Keys(const std::wstring& keys);
void MoveTo(POINT screen);
void Click(POINT screen);
void Press(POINT screen);
void Release(POINT screen);

// Pumps this thread's messages until `done` holds; false when `limitMs` passed first.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000);
// Polls `done` from a thread that does not own the windows; false when `limitMs` passed.
bool WaitUntil(const std::function<bool()>& done, DWORD limitMs = 5000);
// Makes `window` the foreground window and waits for it; false when it did not become so.
bool Activate(HWND window);

}  // namespace realinput
