// Watches the system's property frame while it runs its own modal loop: a thread timer, which
// that loop dispatches, looks for the frame and the page in it, and once the page shows can
// report where everything lies on the screen and press one of the frame's buttons. This is
// the tool's hook for whatever drives the frame from outside: tests with real input, keyboard
// and screen-reader checks.
// [ui thread]: one watch at a time, on the thread that opens the frame.
#pragma once

#include <functional>

#include "platform/ComTypes.h"

// The frame's parts, with their rectangles in screen coordinates.
struct FrameLayout {
    HWND frame = nullptr;
    HWND page = nullptr;  // the editor page's own window, inside the frame's page area
    HWND ok = nullptr;
    HWND cancel = nullptr;
    RECT frameRect = {};
    RECT pageRect = {};
    RECT okRect = {};
    RECT cancelRect = {};
};

// The frame of this thread with a visible page in it; false while there is none yet.
bool FindFrameLayout(FrameLayout& layout);

class FrameWatch {
public:
    // Called once, on the first tick that finds the page shown.
    using OnShown = std::function<void(const FrameLayout&)>;

    // Starts looking right away, every `periodMs`.
    explicit FrameWatch(OnShown onShown, UINT periodMs = 20);
    ~FrameWatch();
    FrameWatch(const FrameWatch&) = delete;
    FrameWatch& operator=(const FrameWatch&) = delete;

    bool SawPage() const { return sawPage; }

    // What an OnShown may do: close the frame with its OK (IDOK) or Cancel (IDCANCEL) button,
    // as a click on it would.
    static void PressButton(const FrameLayout& layout, int button);

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    OnShown onShown;
    UINT_PTR timer = 0;
    bool sawPage = false;
};
