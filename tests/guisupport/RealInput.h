// Real pointer input for tests: SendInput moves and presses the system's pointer, which
// reaches the windows as real mouse messages; the test then pumps its messages until the state
// it expects holds, or fails when a time limit passes first. Nothing waits for a fixed time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "controls/win/Win32.h"
#include "support/CountingNew.h"

class RealInput {
public:
    // Long enough for a loaded machine; a condition that never holds fails, never hangs.
    static constexpr DWORD kTimeLimitMs = 10000;

    // Dispatches the thread's messages until `holds()` is true; false once the limit passes.
    template <typename Condition>
    static bool PumpUntil(Condition holds, DWORD limitMs = kTimeLimitMs) {
        const DWORD start = GetTickCount();
        while (!holds()) {
            if (GetTickCount() - start > limitMs) {
                return false;
            }
            MsgWaitForMultipleObjectsEx(0, nullptr, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            PumpPending();
        }
        return true;
    }
    static void PumpPending();

    // An absolute move to a screen point (with button flags), sent without waiting for it.
    static void SendMove(POINT screen, DWORD buttons = 0);
    // The same, then true once the cursor is there.
    static bool MoveTo(POINT screen) {
        SendMove(screen);
        return PumpUntil([screen] { return IsAt(screen); });
    }
    static void PressLeft() { Button(MOUSEEVENTF_LEFTDOWN); }
    static void ReleaseLeft() { Button(MOUSEEVENTF_LEFTUP); }
    // Two clicks sent at once, well inside the double-click time.
    static void DoubleClick();
    static POINT CursorPos();
    static bool IsAt(POINT screen);

private:
    static void Button(DWORD flags);
};

// GDI objects the process holds. Wine's GetGuiResources is a stub that answers 0; there the
// count comes from the GDI handle table the system shares with the process.
size_t LiveGdiObjects();
// Those of one type, as the handle table records it (the system's object type number, for
// example 0x0A for fonts).
size_t LiveGdiObjectsOfType(uint8_t type);

// The same input in the editor tests' style, with keys as text: characters are typed through
// the keyboard layout; names in braces are keys ({Enter}, {Esc}, {Tab}, {Up}, {Down}, {Left},
// {Right}, {Home}, {End}, {Back}, {Add}, {Subtract}, {Minus}, {F5}), optionally with modifiers
// ({Shift+Equals}, {Ctrl+Z}, {Alt+F4}).
namespace realinput {

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
