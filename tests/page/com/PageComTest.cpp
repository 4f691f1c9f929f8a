// The editor page of the registered module, as a host meets it: created through COM and driven
// through IPropertyPage alone. Every row pre-fills its out-parameters with a sentinel so that a
// forgotten write shows, and every object goes back to a count of zero.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ModuleUnderTest.h"
#include "engine/InterfaceIds.h"
#include "support/ComPageSupport.h"

TEST(PageIdentity, QueryInterfaceAnswersIUnknownAndIPropertyPageOnly) {
    ComRef<IPropertyPage> page = CreatePage();
    ASSERT_TRUE(page);
    EXPECT_EQ(ModuleCanUnloadNow(), S_FALSE) << "a live page keeps the module";
    EXPECT_EQ(page->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    struct Row {
        const char* name;
        IID iid;
        HRESULT expected;
    };
    const Row rows[] = {
        {"IUnknown", IID_IUnknown, S_OK},
        {"IPropertyPage", IID_IPropertyPage, S_OK},
        {"IPropertyPage2", IID_IPropertyPage2, E_NOINTERFACE},
        {"IMfxEventFilter", ids::MfxEventFilter, E_NOINTERFACE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        void* out = Sentinel();
        EXPECT_EQ(page->QueryInterface(row.iid, &out), row.expected);
        if (row.expected == S_OK) {
            EXPECT_EQ(out, static_cast<void*>(page.get())) << "one face for both";
            EXPECT_EQ(static_cast<IUnknown*>(out)->Release(), 1u);
        } else {
            EXPECT_EQ(out, nullptr);
        }
    }
    EXPECT_EQ(page->AddRef(), 2u);
    EXPECT_EQ(page->Release(), 1u);
    EXPECT_EQ(page.release()->Release(), 0u);
    EXPECT_EQ(ModuleCanUnloadNow(), S_OK);
}

TEST(PageSite, ThePageHoldsOneSiteAtATimeWithOneReference) {
    ComRef<IPropertyPage> page = CreatePage();
    CountingPageSite first;
    CountingPageSite second;
    struct Row {
        const char* name;
        IPropertyPageSite* site;
        HRESULT expected;
        ULONG firstRefs;
        ULONG secondRefs;
    };
    const Row rows[] = {
        {"clear without a site", nullptr, E_UNEXPECTED, 1, 1},
        {"first site", &first, S_OK, 2, 1},
        {"a second site while holding one", &second, E_UNEXPECTED, 2, 1},
        {"clear", nullptr, S_OK, 1, 1},
        {"clear again", nullptr, E_UNEXPECTED, 1, 1},
        {"second site", &second, S_OK, 1, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(page->SetPageSite(row.site), row.expected);
        EXPECT_EQ(first.refs, row.firstRefs);
        EXPECT_EQ(second.refs, row.secondRefs);
    }
    EXPECT_EQ(page.release()->Release(), 0u);
    EXPECT_EQ(second.refs, 1u) << "a page released with its site gives the site back";
}

TEST(PageObjects, SetObjectsTakesExactlyOneFilterWithoutAReference) {
    ComRef<IPropertyPage> page = CreatePage();
    ComRef<IUnknown> filter = CreateFilter();
    ASSERT_TRUE(page && filter);
    IUnknown* none[] = {nullptr};
    IUnknown* one[] = {filter.get()};
    IUnknown* two[] = {filter.get(), filter.get()};
    struct Row {
        const char* name;
        ULONG count;
        IUnknown** objects;
        HRESULT expected;
    };
    const Row rows[] = {
        {"count 0", 0, nullptr, E_FAIL},
        {"count 1, no array", 1, nullptr, E_POINTER},
        {"count 1, null entry", 1, none, E_POINTER},
        {"count 2", 2, two, E_UNEXPECTED},
        {"the filter", 1, one, S_OK},
        {"count 0 while bound", 0, one, E_FAIL},
        {"the filter again", 1, one, S_OK},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(page->SetObjects(row.count, row.objects), row.expected);
        EXPECT_EQ(RefCount(filter.get()), 1u) << "the page holds no reference on its filter";
    }
}

// Wine's frame leaves the size field unset; the page fills it in and checks nothing.
TEST(PageInfo, GetPageInfoFillsEveryFieldWhateverTheStructureHeld) {
    ComRef<IPropertyPage> page = CreatePage();
    EXPECT_EQ(page->GetPageInfo(nullptr), E_POINTER);
    PROPPAGEINFO info;
    std::memset(&info, 0x55, sizeof info);
    ASSERT_EQ(page->GetPageInfo(&info), S_OK);
    EXPECT_EQ(info.cb, 48u);
    EXPECT_EQ(info.size.cx, 670);
    EXPECT_EQ(info.size.cy, 169);
    ASSERT_NE(info.pszTitle, nullptr);
    EXPECT_EQ(std::wstring(info.pszTitle), L"Arpeggiator MIDI Filter");
    EXPECT_EQ(info.pszDocString, nullptr);
    EXPECT_EQ(info.pszHelpFile, nullptr);
    EXPECT_EQ(info.dwHelpContext, 0u);
    CoTaskMemFree(info.pszTitle);
}

namespace {

// One step of a frame's dealings with its page's window.
enum class Step { kActivate, kActivateWithoutRect, kShow, kMove, kMoveWithoutRect, kDeactivate };

struct WindowRow {
    const char* name;
    Step step;
    UINT show;  // for kShow
    HRESULT expected;
    int window;  // afterwards: -1 none, 0 hidden, 1 visible
};

// Every operation in the order a frame might call it, and some it should not.
const WindowRow kWindowLife[] = {
    {"Deactivate without a window", Step::kDeactivate, 0, E_UNEXPECTED, -1},
    {"Show without a window", Step::kShow, SW_SHOW, E_UNEXPECTED, -1},
    {"Activate without a rectangle", Step::kActivateWithoutRect, 0, E_POINTER, -1},
    {"Move without a rectangle", Step::kMoveWithoutRect, 0, E_POINTER, -1},
    {"Activate", Step::kActivate, 0, S_OK, 1},
    {"Activate again", Step::kActivate, 0, E_UNEXPECTED, 1},
    {"Show minimised", Step::kShow, SW_MINIMIZE, E_INVALIDARG, 1},
    {"Show hidden", Step::kShow, SW_HIDE, S_OK, 0},
    {"Show normal", Step::kShow, SW_SHOWNORMAL, S_OK, 1},
    {"Move", Step::kMove, 0, S_OK, 1},
    {"Deactivate", Step::kDeactivate, 0, S_OK, -1},
    {"Deactivate again", Step::kDeactivate, 0, E_UNEXPECTED, -1},
    {"Activate after Deactivate", Step::kActivate, 0, S_OK, 1},
};

// Larger than the page, as a frame's page area is; and a place to move it to.
constexpr RECT kPageArea = {0, 0, 800, 300};
constexpr RECT kMovedTo = {10, 20, 690, 199};

HRESULT Perform(IPropertyPage* page, HWND parent, const WindowRow& row) {
    switch (row.step) {
        case Step::kActivate:
            return page->Activate(parent, &kPageArea, TRUE);
        case Step::kActivateWithoutRect:
            return page->Activate(parent, nullptr, TRUE);
        case Step::kShow:
            return page->Show(row.show);
        case Step::kMove:
            return page->Move(&kMovedTo);
        case Step::kMoveWithoutRect:
            return page->Move(nullptr);
        case Step::kDeactivate:
            return page->Deactivate();
    }
    return E_FAIL;
}

}  // namespace

TEST(PageWindow, ActivateShowMoveAndDeactivateFollowTheWindowsLife) {
    ComRef<IPropertyPage> page = CreatePage();
    ComRef<IUnknown> filter = CreateFilter();
    IUnknown* one[] = {filter.get()};
    ASSERT_EQ(page->SetObjects(1, one), S_OK);
    ParentWindow parent;
    for (const WindowRow& row : kWindowLife) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Perform(page.get(), parent.Handle(), row), row.expected);
        HWND window = parent.PageWindow();
        if (row.window < 0) {
            EXPECT_EQ(window, nullptr);
            continue;
        }
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(IsWindowVisible(window) != FALSE, row.window == 1);
        EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
    }
    EXPECT_EQ(ClientRectIn(parent.PageWindow(), parent.Handle()), kPageArea);
    ASSERT_EQ(page->Move(&kMovedTo), S_OK);
    EXPECT_EQ(ClientRectIn(parent.PageWindow(), parent.Handle()), kMovedTo);
    EXPECT_EQ(page->Deactivate(), S_OK);
}

// Every edit goes into the filter at once: the page never has anything to apply. (That Apply
// changes no setting, the frame's OK in the end-to-end cases shows.)
TEST(PageApply, ThePageIsNeverDirtyAndApplySucceeds) {
    ComRef<IPropertyPage> page = CreatePage();
    ComRef<IUnknown> filter = CreateFilter();
    IUnknown* one[] = {filter.get()};
    ASSERT_EQ(page->SetObjects(1, one), S_OK);
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    EXPECT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    MSG message = {};
    // A key for no window of the page stays with the frame.
    EXPECT_EQ(page->TranslateAccelerator(&message), S_FALSE);
    EXPECT_EQ(page->TranslateAccelerator(nullptr), E_POINTER);
}

// Wine's HTML Help hands out no initialisation cookie, so under Wine the page never opens help
// (where it would look is PageHelpPathTest's): Help answers S_FALSE and shows nothing.
TEST(PageHelp, HelpUnderWineShowsNothingAndAnswersSFalse) {
    ComRef<IPropertyPage> page = CreatePage();
    const size_t windows = ProcessWindows();
    EXPECT_EQ(page->Help(nullptr), S_FALSE);
    EXPECT_EQ(page->Help(L"C:\\"), S_FALSE);
    EXPECT_EQ(ProcessWindows(), windows) << "no help window";
}
