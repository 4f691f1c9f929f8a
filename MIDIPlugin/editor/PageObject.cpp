// The page object and its window's life: construction and destruction, the skin, the font and
// help, and the window a container creates, shows, moves and destroys.
#include "controls/BitmapCache.h"
#include "controls/win/ResourceModule.h"
#include "editor/ArpeggiatorPage.h"
#include "resources/ResourceIds.h"

namespace {

constexpr wchar_t kHelpFileName[] = L"Arpeggiator.chm";

// The framework's help command that shows the help file's default topic.
constexpr UINT kHelpDefaultTopic = 11;

}  // namespace

ArpeggiatorPage::ArpeggiatorPage() : CDialog(IDD_ARPEGGIATOR_PAGE) {
    LoadSkin();
    CreateLabelFont();
    CreateControls();
    InitHelp();
}

ArpeggiatorPage::~ArpeggiatorPage() {
    // A container that lets go of an open page: the window goes first, while every part of
    // the page still exists to handle its last messages.
    if (GetSafeHwnd() != nullptr) DestroyWindow();
    helpLink.Close();
    DeleteAllControls();
    // The buttons gave their strips back to the shared cache above. The cache itself goes
    // only when nothing else holds an image in it: another open page keeps its strips.
    if (CBitmapCache::HasInstance() && CBitmapCache::Instance().GetCount() == 0) {
        CBitmapCache::DeleteInstance();
    }
    SetModel(nullptr);
    DeleteObject(labelFont);
    if (skinBitmap != nullptr) DeleteObject(skinBitmap);
}

// A page created again after Destroy loads its skin again (the window's destruction deleted
// it), so that it paints and sizes itself as the first time.
bool ArpeggiatorPage::Create(HWND parent, const RECT& rect) {
    if (GetSafeHwnd() != nullptr) return false;
    if (skinBitmap == nullptr) LoadSkin();
    if (!CDialog::Create(parent)) return false;
    deactivating = 0;
    HWND window = GetSafeHwnd();
    SetWindowLongPtrW(window, GWL_EXSTYLE,
                      GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    Move(rect);
    Show(SW_SHOWNORMAL);
    return true;
}

// From here on no chord notification reaches the page, even one already posted.
bool ArpeggiatorPage::Destroy() {
    deactivating = 1;
    if (GetSafeHwnd() == nullptr) return false;
    DestroyWindow();
    initDone = 0;
    shown = 0;
    return true;
}

void ArpeggiatorPage::Show(int command) {
    ShowWindow(command);
    shown = 1;
}

void ArpeggiatorPage::Move(const RECT& rect) { MoveWindow(rect, true); }

SIZE ArpeggiatorPage::Size() {
    if (skinBitmap == nullptr) LoadSkin();
    BITMAP description = {};
    if (skinBitmap == nullptr || GetObjectW(skinBitmap, sizeof description, &description) == 0) {
        return {0, 0};
    }
    return {description.bmWidth, description.bmHeight};
}

void ArpeggiatorPage::OpenHelp() { helpLink.Open(kHelpDefaultTopic); }

void ArpeggiatorPage::LoadSkin() {
    skinBitmap =
        static_cast<HBITMAP>(LoadImageW(CResourceModule::Get(), MAKEINTRESOURCEW(IDB_PAGE_SKIN),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void ArpeggiatorPage::CreateLabelFont() {
    labelFont =
        CreateFontW(14, 0, 0, 0, FW_LIGHT, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial");
}

// The window does not exist yet, so HTML Help gets no owner window.
void ArpeggiatorPage::InitHelp() {
    const std::wstring path = HelpLink::InstallDirectory() + L"\\" + kHelpFileName;
    helpLink.Init(CResourceModule::Get(), GetSafeHwnd(), path);
}
