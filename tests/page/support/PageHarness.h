// An editor page in the test's own process, bound to a filter on a simulated host (960 ticks
// per quarter unless told otherwise), as a frame binds it. Open() shows it in a top-level
// window of its own at a fixed place on the screen, as a frame activates it.
// [ui thread]: the test's main thread owns every window.
#pragma once

#include <cstdint>

#include "controls/win/Window.h"
#include "editor/ArpeggiatorPropPage.h"
#include "support/FilterFixture.h"
#include "support/PropPageProbe.h"

class PageHarness {
public:
    // Where the page's client area lies on the screen while it is open.
    static constexpr POINT kScreenOrigin = {40, 40};
    static constexpr RECT kPageRect = {0, 0, 700, 200};

    explicit PageHarness(int32_t ticksPerQuarter = 960);
    ~PageHarness();
    PageHarness(const PageHarness&) = delete;
    PageHarness& operator=(const PageHarness&) = delete;

    // The parent window, then Activate with kPageRect; false when either failed.
    bool Open();
    // The parent window alone, as a frame has it before it activates its page.
    bool MakeParent();
    HRESULT Close() { return page->Deactivate(); }
    HWND Window() const { return view.GetSafeHwnd(); }
    HWND Parent() const { return parent.GetSafeHwnd(); }
    // The settings, as a host loads them: through the filter's IPersistStream.
    HRESULT Load(const ArpeggiatorParams& params);

    CNWControl* operator[](const char* name) const { return probe.Control(name); }
    // Pumps until the window has painted what is pending.
    void Paint() const;

    FilterHarness filter;
    CArpeggiatorPropPage* const page;
    PropPageProbe probe;
    ArpeggiatorPage& view;  // the page window inside `page`

private:
    CWindow parent;
};
