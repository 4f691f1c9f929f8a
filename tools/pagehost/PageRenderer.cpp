#include "pagehost/PageRenderer.h"

#include <stdexcept>
#include <string>

#include "arpeggiate/HresultText.h"
#include "engine/InterfaceIds.h"

// The frame's side of the page, for a frame that never shows: nothing to report to, English.
class PageRenderer::Site final : public IPropertyPageSite {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IPropertyPageSite) return E_NOINTERFACE;
        *object = static_cast<IPropertyPageSite*>(this);
        AddRef();
        return S_OK;
    }
    // The renderer owns the site and outlives every reference the page takes.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* locale) override {
        if (locale == nullptr) return E_POINTER;
        *locale = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** container) override {
        if (container != nullptr) *container = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }
};

namespace {

void Check(HRESULT hr, const std::string& what) {
    if (FAILED(hr)) throw std::runtime_error(what + " (" + HresultText(hr) + ")");
}

// The first page the filter names, as a frame makes it.
IPropertyPage* CreateFirstPage(IUnknown* filter) {
    ISpecifyPropertyPages* specify = nullptr;
    Check(filter->QueryInterface(ids::SpecifyPropertyPages, reinterpret_cast<void**>(&specify)),
          "the filter names no property pages");
    CAUUID pages = {};
    const HRESULT listed = specify->GetPages(&pages);
    specify->Release();
    Check(listed, "the filter did not list its pages");
    void* page = nullptr;
    const HRESULT made = pages.cElems == 0
                             ? E_FAIL
                             : CoCreateInstance(pages.pElems[0], nullptr, CLSCTX_INPROC_SERVER,
                                                IID_IPropertyPage, &page);
    CoTaskMemFree(pages.pElems);
    Check(made, "the editor page could not be created");
    return static_cast<IPropertyPage*>(page);
}

SIZE PageSize(IPropertyPage* page) {
    PROPPAGEINFO info = {};
    info.cb = sizeof info;
    Check(page->GetPageInfo(&info), "the page did not describe itself");
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);
    if (info.size.cx <= 0 || info.size.cy <= 0) throw std::runtime_error("the page has no size");
    return info.size;
}

// A pop-up of a system class, never shown: the page inside is never on the screen.
HWND HiddenParent(SIZE size) {
    HWND window =
        CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"page renderer", WS_POPUP, 0, 0, size.cx,
                        size.cy, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // Under Wine without an X display no window can be made at all, hidden or not.
    if (window == nullptr) {
        throw std::runtime_error(
            "no window for the page: is there a display? (under Wine: "
            "DISPLAY, or run it with xvfb-run)");
    }
    return window;
}

BITMAPINFO TopDown32(SIZE size) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

}  // namespace

PageRenderer::PageRenderer(IUnknown* filter) : site(new Site) {
    try {
        page = CreateFirstPage(filter);
        Check(page->SetPageSite(site), "the page refused its site");
        Check(page->SetObjects(1, &filter), "the page refused the filter");
        size = PageSize(page);
        parent = HiddenParent(size);
        const RECT area = {0, 0, size.cx, size.cy};
        Check(page->Activate(parent, &area, TRUE), "the page did not open");
        Pump();
    } catch (...) {
        Close();
        throw;
    }
}

PageRenderer::~PageRenderer() { Close(); }

void PageRenderer::Close() {
    if (page != nullptr) {
        if (PageWindow() != nullptr) page->Deactivate();
        page->SetPageSite(nullptr);
        page->Release();
        page = nullptr;
    }
    if (parent != nullptr) DestroyWindow(parent);
    parent = nullptr;
    delete site;
    site = nullptr;
}

void PageRenderer::Pump() const {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HWND PageRenderer::PageWindow() const {
    return parent != nullptr ? GetWindow(parent, GW_CHILD) : nullptr;
}

RgbImage PageRenderer::Render() const {
    const BITMAPINFO info = TopDown32(size);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) throw std::runtime_error("no bitmap to paint into");
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(PageWindow(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    RgbImage image(size.cx, size.cy);
    const auto* painted = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = painted[i] & 0x00FFFFFF;
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return image;
}
