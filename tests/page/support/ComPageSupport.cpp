#include "support/ComPageSupport.h"

#include <gtest/gtest.h>

#include "engine/InterfaceIds.h"

ComRef<IPropertyPage> CreatePage() {
    IPropertyPage* page = nullptr;
    EXPECT_EQ(CoCreateInstance(ids::ArpeggiatorPropPage, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IPropertyPage, reinterpret_cast<void**>(&page)),
              S_OK);
    return ComRef<IPropertyPage>(page);
}

ComRef<IUnknown> CreateFilter() {
    IUnknown* filter = nullptr;
    EXPECT_EQ(CoCreateInstance(ids::ArpeggiatorFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&filter)),
              S_OK);
    return ComRef<IUnknown>(filter);
}

ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void PrintTo(const RECT& rect, std::ostream* out) {
    *out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
         << "}";
}

RECT ClientRectIn(HWND child, HWND parent) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HRESULT STDMETHODCALLTYPE CountingPageSite::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IPropertyPageSite) return E_NOINTERFACE;
    *object = static_cast<IPropertyPageSite*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CountingPageSite::GetLocaleID(LCID* locale) {
    if (locale == nullptr) return E_POINTER;
    *locale = LOCALE_USER_DEFAULT;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CountingPageSite::GetPageContainer(IUnknown** container) {
    if (container != nullptr) *container = nullptr;
    return E_NOTIMPL;
}

// A tool window: Wine leaves it to no window manager, so it goes without waiting for one.
ParentWindow::ParentWindow() {
    window.CreateEx(WS_EX_TOOLWINDOW, nullptr, L"page parent", WS_POPUP, {30, 30, 860, 360},
                    nullptr, 0);
    window.ShowWindow(SW_SHOWNOACTIVATE);
}

HWND ParentWindow::PageWindow() const {
    return FindWindowExW(window.GetSafeHwnd(), nullptr, L"#32770", nullptr);
}
