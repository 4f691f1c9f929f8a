// Many pages and many frames, and nothing left behind: after the cycles the module can unload,
// and the process holds as many GDI objects and windows as before them.
//
// How it is measured: GDI objects are the process's entries in the GDI handle table
// (LiveGdiObjects: GetGuiResources, or under Wine, where that answers 0, the table itself,
// which also tells fonts apart); windows are every window of the process, top-level and child,
// counted with EnumWindows and EnumChildWindows while the test's own parent window still
// exists. One cycle runs before the first count, so that what the toolkit and the system make
// once per process (shared fonts, window classes, the help library) is there on both counts.
#include <gtest/gtest.h>

#include <functional>

#include "ModuleUnderTest.h"
#include "guisupport/RealInput.h"
#include "pagehost/FrameWatch.h"
#include "pagehost/PropertyFrame.h"
#include "support/ComPageSupport.h"

namespace {

// The system's type number of a font in the GDI handle table.
constexpr uint8_t kFontType = 0x0A;

struct Counts {
    size_t gdiObjects;
    size_t fonts;
    size_t windows;
};

Counts Measure() {
    realinput::PumpPending();
    return {LiveGdiObjects(), LiveGdiObjectsOfType(kFontType), ProcessWindows()};
}

// A page made, bound, activated in a parent, deactivated and released.
void PageCycle(IUnknown* filter, HWND parent) {
    ComRef<IPropertyPage> page = CreatePage();
    IUnknown* one[] = {filter};
    const RECT area = {0, 0, 700, 200};
    EXPECT_EQ(page->SetObjects(1, one), S_OK);
    EXPECT_EQ(page->Activate(parent, &area, TRUE), S_OK);
    realinput::PumpPending();
    EXPECT_EQ(page->Deactivate(), S_OK);
}

// Wine's own property frame around the filter's page, closed with its OK button as soon as
// the page shows.
void FrameCycle(IUnknown* filter) {
    FrameWatch watch([](const FrameLayout& layout) { FrameWatch::PressButton(layout, IDOK); });
    EXPECT_EQ(ShowPropertyFrame(filter, L"Arpeggiator"), S_OK);
    EXPECT_TRUE(watch.SawPage());
}

void RunCycles(int count, const std::function<void()>& cycle) {
    for (int i = 0; i < count && !testing::Test::HasFailure(); ++i) cycle();
}

}  // namespace

TEST(PageCycles, AThousandPagesMadeShownAndReleasedLeaveNothingBehind) {
    {
        ComRef<IUnknown> filter = CreateFilter();
        ParentWindow parent;
        PageCycle(filter.get(), parent.Handle());
        const Counts before = Measure();
        RunCycles(1000, [&] { PageCycle(filter.get(), parent.Handle()); });
        const Counts after = Measure();
        EXPECT_EQ(after.gdiObjects, before.gdiObjects) << "GDI objects, fonts included";
        EXPECT_EQ(after.windows, before.windows);
    }
    EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
}

// Wine's OleCreatePropertyFrame measures its dialog font with a font it never deletes: one
// font per frame, whatever the page (the cycles above show that the page's own fonts all go).
// Every other kind of GDI object must come out even.
TEST(PageCycles, TwoHundredFramesOpenedAndClosedLeaveNothingBehind) {
    constexpr size_t kFrames = 200;
    {
        ComRef<IUnknown> filter = CreateFilter();
        ParentWindow parent;  // keeps the thread's own windows from going with the last frame
        FrameCycle(filter.get());
        const Counts before = Measure();
        RunCycles(kFrames, [&] { FrameCycle(filter.get()); });
        const Counts after = Measure();
        EXPECT_EQ(after.gdiObjects - after.fonts, before.gdiObjects - before.fonts)
            << "GDI objects other than fonts";
        EXPECT_LE(after.fonts - before.fonts, kFrames) << "more than the frame's one font each";
        EXPECT_EQ(after.windows, before.windows);
    }
    EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
}
