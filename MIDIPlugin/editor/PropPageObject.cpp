// The page object: construction, destruction, identity and reference counting, and the link
// through which the engine reaches the page.
#include "controls/BitmapCache.h"
#include "controls/win/ResourceModule.h"
#include "editor/ArpeggiatorPropPage.h"
#include "engine/Arpeggiator.h"
#include "engine/FilterAccess.h"
#include "engine/InterfaceIds.h"
#include "platform/ModuleCounters.h"
#include "resources/ResourceIds.h"

namespace {

constexpr wchar_t kHelpFileName[] = L"Arpeggiator.chm";

}  // namespace

// [any thread] The factory constructs the page on whatever thread the host asks from; the
// window is made later, by Activate, on the thread that will own it.
CArpeggiatorPropPage::CArpeggiatorPropPage() : CDialog(IDD_ARPEGGIATOR_PAGE) {
    liveObjectCount.Increment();
    LoadSkin();
    CreateLabelFont();
    CreateControls();
    InitHelp();
}

CArpeggiatorPropPage::~CArpeggiatorPropPage() {
    // A host that lets go of an active page without Deactivate: the window goes first, while
    // every part of the page still exists to handle its last messages.
    if (GetSafeHwnd() != nullptr) DestroyWindow();
    helpLink.Close();
    DeleteAllControls();
    // The buttons gave their strips back to the shared cache above. The cache itself goes
    // only when nothing else holds an image in it: another open page keeps its strips.
    if (CBitmapCache::HasInstance() && CBitmapCache::Instance().GetCount() == 0) {
        CBitmapCache::DeleteInstance();
    }
    BindFilter(nullptr);
    // A host that never cleared its site: the reference the page took goes with the page.
    if (pageSite != nullptr) pageSite->Release();
    DeleteObject(labelFont);
    if (skinBitmap != nullptr) DeleteObject(skinBitmap);
    liveObjectCount.Decrement();
}

HRESULT STDMETHODCALLTYPE CArpeggiatorPropPage::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid != ids::Unknown && iid != ids::PropertyPage) return E_NOINTERFACE;
    *object = static_cast<IPropertyPage*>(this);
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CArpeggiatorPropPage::AddRef() { return refCount.Increment(); }

ULONG STDMETHODCALLTYPE CArpeggiatorPropPage::Release() {
    const uint32_t remaining = refCount.Decrement();
    if (remaining == 0) delete this;
    return remaining;
}

void CArpeggiatorPropPage::LoadSkin() {
    skinBitmap =
        static_cast<HBITMAP>(LoadImageW(CResourceModule::Get(), MAKEINTRESOURCEW(IDB_PAGE_SKIN),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void CArpeggiatorPropPage::CreateLabelFont() {
    labelFont =
        CreateFontW(14, 0, 0, 0, FW_LIGHT, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial");
}

// The window does not exist yet, so HTML Help gets no owner window.
void CArpeggiatorPropPage::InitHelp() {
    const std::wstring path = HelpLink::InstallDirectory() + L"\\" + kHelpFileName;
    helpLink.Init(CResourceModule::Get(), GetSafeHwnd(), path);
}

SIZE CArpeggiatorPropPage::SkinSize() const {
    BITMAP description = {};
    if (skinBitmap == nullptr || GetObjectW(skinBitmap, sizeof description, &description) == 0) {
        return {0, 0};
    }
    return {description.bmWidth, description.bmHeight};
}

// A page bound again to another filter first leaves the one it had, so that no filter keeps
// notifying a page that has moved on (or gone).
void CArpeggiatorPropPage::BindFilter(CArpeggiator* newFilter) {
    if (filter != nullptr) FilterAccess(*filter).UnbindEditorPage(&link);
    filter = newFilter;
    if (filter != nullptr) FilterAccess(*filter).BindEditorPage(&link);
}

// [any thread] Under the filter's lock, from the engine.
bool CArpeggiatorPropPage::EngineLink::IsReadyForChordText() {
    return page.postTarget.load() != nullptr && page.initDone.load() != 0 &&
           page.deactivating.load() == 0;
}

// [any thread] Asynchronous: the page copies the latest chord text when it gets the message.
void CArpeggiatorPropPage::EngineLink::PostChordNotification() {
    if (HWND window = page.postTarget.load()) {
        PostMessageW(window, WM_COMMAND, ChordNotifyCode, 0);
    }
}

// [any thread]
bool CArpeggiatorPropPage::EngineLink::WindowExists() { return page.postTarget.load() != nullptr; }
