// Real pointer input for tests: SendInput moves and presses the system's pointer, which
// reaches the windows as real mouse messages; the test then pumps its messages until the state
// it expects holds, or fails when a time limit passes first. Nothing waits for a fixed time.
#pragma once

#include <cstddef>

#include "controls/win/Win32.h"

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

    // An absolute move to a screen point, sent without waiting for it.
    static void SendMove(POINT screen);
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

// Counts the operator new calls made while a call runs (the program replaces the global
// allocation functions).
class AllocationCounter {
public:
    template <typename Call>
    static long During(Call call) {
        Start();
        call();
        return Stop();
    }

private:
    static void Start();
    static long Stop();
};

// GDI objects the process holds. Wine's GetGuiResources is a stub that answers 0; there the
// count comes from the GDI handle table the system shares with the process.
size_t LiveGdiObjects();
