// Real input for tests: SendInput moves and presses the system's pointer and types keys, which
// reach the windows as real messages; the test then pumps its messages until the state it
// expects holds, or fails when a time limit passes first. Nothing waits for a fixed time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "controls/NWInputSource.h"
#include "controls/win/Win32.h"
#include "support/CountingNew.h"

namespace realinput {

// Long enough for a loaded machine; a condition that never holds fails, never hangs.
constexpr DWORD kTimeLimitMs = 10000;

void PumpPending();
// Dispatches this thread's messages until `done()` holds; false once `limitMs` passed first.
// A template, so that waiting allocates nothing (a drag's allocations are counted).
template <typename Condition>
bool PumpUntil(Condition done, DWORD limitMs = kTimeLimitMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        PumpPending();
    }
    return true;
}
// Polls `done` from a thread that does not own the windows; false when `limitMs` passed.
bool WaitUntil(const std::function<bool()>& done, DWORD limitMs = kTimeLimitMs);
// Makes `window` the foreground window and waits for it; false when it did not become so.
bool Activate(HWND window);

// The pointer: an absolute move to a screen point (with button flags), sent without waiting.
void SendMove(POINT screen, DWORD buttons = 0);
inline void MoveTo(POINT screen) { SendMove(screen); }
inline void Press(POINT screen) { SendMove(screen, MOUSEEVENTF_LEFTDOWN); }
inline void Release(POINT screen) { SendMove(screen, MOUSEEVENTF_LEFTUP); }
void Click(POINT screen);
POINT CursorPos();
bool IsAt(POINT screen);

// Keys as text: characters are typed through the keyboard layout; names in braces are keys
// ({Enter}, {Esc}, {Tab}, {Up}, {Down}, {Left}, {Right}, {Home}, {End}, {Back}, {Add},
// {Subtract}, {Minus}, {F5}), optionally with modifiers ({Shift+Equals}, {Ctrl+Z}, {Alt+F4}).
void Keys(const std::wstring& keys);

}  // namespace realinput

// Stands in for the system's input-source query while it lives: `device` is what it reports;
// `present` false acts as a system without the query.
class InputSourceOverride {
public:
    explicit InputSourceOverride(INPUT_MESSAGE_DEVICE_TYPE device, bool present = true);
    ~InputSourceOverride() { CNWInputSource::RestoreQuery(); }
};
// Touch: a slider dragged without moving the system's pointer.
struct TouchInput : InputSourceOverride {
    TouchInput() : InputSourceOverride(IMDT_TOUCH) {}
};

// GDI objects the process holds. Wine's GetGuiResources is a stub that answers 0; there the
// count comes from the GDI handle table the system shares with the process.
size_t LiveGdiObjects();
// Those of one type, as the handle table records it (the system's object type number, for
// example 0x0A for fonts).
size_t LiveGdiObjectsOfType(uint8_t type);
// Every window of this process: top-level windows with all their descendants, and its
// message-only windows (timer windows, say).
size_t ProcessWindows();
