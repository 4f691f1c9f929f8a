// IPropertyPage: how the host's frame drives the page. Every refusal is a status code; nothing
// is shown or logged.
#include <cstring>

#include "editor/ArpeggiatorPropPage.h"
#include "editor/PageTexts.h"
#include "engine/Arpeggiator.h"
#include "resources/ResourceIds.h"

namespace {

// The title buffer: 256 bytes from the host's task allocator, 128 characters. A longer title
// (a translation, say) is cut to 127 characters and its terminator, never written past.
constexpr size_t kTitleBytes = 256;
constexpr size_t kTitleCapacity = kTitleBytes / sizeof(wchar_t);

}  // namespace

HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::SetPageSite(IPropertyPageSite* site) {
    if (site != nullptr) {
        if (pageSite != nullptr) return E_UNEXPECTED;
        pageSite = site;
        pageSite->AddRef();
        return S_OK;
    }
    if (pageSite == nullptr) return E_UNEXPECTED;
    pageSite->Release();
    pageSite = nullptr;
    return S_OK;
}

// `modal` makes no difference: the page edits the filter live either way.
HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    if (rect == nullptr) return E_POINTER;
    if (page.GetSafeHwnd() != nullptr) return E_UNEXPECTED;
    return page.Create(parent, *rect) ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::Deactivate() {
    return page.Destroy() ? S_OK : E_UNEXPECTED;
}

// The structure's size field is the page's to fill, not the caller's: some frames leave it
// unset, so it is never checked.
HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::GetPageInfo(PROPPAGEINFO* info) {
    if (info == nullptr) return E_POINTER;
    IMalloc* allocator = nullptr;
    if (FAILED(CoGetMalloc(1, &allocator)) || allocator == nullptr) return E_FAIL;
    auto* title = static_cast<wchar_t*>(allocator->Alloc(kTitleBytes));
    allocator->Release();
    info->pszTitle = title;
    if (title == nullptr) return E_OUTOFMEMORY;

    const std::wstring text = pagetext::Load(IDS_PAGE_TITLE, kTitleCapacity);
    std::memcpy(title, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    info->cb = sizeof(PROPPAGEINFO);
    info->size = page.Size();
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

// The object is taken as the filter itself, without a reference: the host keeps the filter
// alive while its page is bound. A page whose window is open shows the new filter at once.
HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::SetObjects(ULONG count, IUnknown** objects) {
    if (count == 0) return E_FAIL;
    if (count != 1) return E_UNEXPECTED;
    if (objects == nullptr || objects[0] == nullptr) return E_POINTER;
    BindFilter(static_cast<CArpeggiator*>(static_cast<IMfxEventFilter*>(objects[0])));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::Show(UINT command) {
    if (page.GetSafeHwnd() == nullptr) return E_UNEXPECTED;
    if (command != SW_HIDE && command != SW_SHOWNORMAL && command != SW_SHOW) return E_INVALIDARG;
    page.Show(static_cast<int>(command));
    return S_OK;
}

// Without a window there is nothing to move; the next Activate brings its own rectangle.
HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::Move(LPCRECT rect) {
    if (rect == nullptr) return E_POINTER;
    if (page.GetSafeHwnd() != nullptr) page.Move(*rect);
    return S_OK;
}

// Edits are live, so the page never has anything to apply.
HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::IsPageDirty() {
    return isDirty != 0 ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::Apply() {
    isDirty = 0;
    return S_OK;
}

// Whether the help file opened or not, the host is told that the page showed no help of its
// own.
HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::Help(LPCOLESTR) {
    page.OpenHelp();
    return S_FALSE;
}

// The keys the page's controls use (Tab between them, arrows, Space, Enter on a value box)
// are handled here and reported as used; every other key stays with the frame.
HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::TranslateAccelerator(MSG* message) {
    if (message == nullptr) return E_POINTER;
    return page.TranslateKey(*message) ? S_OK : S_FALSE;
}
