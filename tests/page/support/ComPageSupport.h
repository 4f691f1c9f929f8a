// What the COM tests of the page share: objects made through COM from the registered module, a
// page site that counts its references, a parent window for the page, and the few readings
// the tests take (reference counts, windows).
// [ui thread]: the test's main thread, in the single-threaded apartment ModuleUnderTest opens.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "ModuleUnderTest.h"
#include "guisupport/RealInput.h"
#include "controls/win/Window.h"

ComRef<IPropertyPage> CreatePage();
ComRef<IUnknown> CreateFilter();

// The object's count, read by adding a reference and giving it back.
ULONG RefCount(IUnknown* object);

// Rectangles compare and print as values in the tests.
bool operator==(const RECT& a, const RECT& b);
void PrintTo(const RECT& rect, std::ostream* out);
// A child window's rectangle in its parent's client coordinates.
RECT ClientRectIn(HWND child, HWND parent);

class CountingPageSite final : public IPropertyPageSite {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* locale) override;
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** container) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }

    ULONG refs = 1;  // the test's own
};

// A visible top-level window for the page to live in, as a frame's page area.
class ParentWindow {
public:
    ParentWindow();
    HWND Handle() const { return window.GetSafeHwnd(); }
    // The page's dialog window inside, or null.
    HWND PageWindow() const;

private:
    CWindow window;
};
