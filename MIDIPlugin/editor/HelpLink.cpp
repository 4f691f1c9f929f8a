#include "editor/HelpLink.h"

#include <htmlhelp.h>

#include <vector>

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// HtmlHelpW is exported by ordinal 15; some versions of the library carry no names.
constexpr WORD kHtmlHelpWOrdinal = 15;

// Loaded on first use and kept for the life of the process. A missing library or entry point
// is remembered as a null entry, so every later call gives up at once. The first use may come
// from any thread that constructs a page: the static is initialised exactly once.
HtmlHelpFunction HtmlHelpEntry() {
    static const HtmlHelpFunction entry = []() -> HtmlHelpFunction {
        // From the system folder only: never a copy planted beside the host.
        HMODULE library = LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (library == nullptr) return nullptr;
        FARPROC proc = GetProcAddress(library, MAKEINTRESOURCEA(kHtmlHelpWOrdinal));
        return reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void (*)()>(proc));
    }();
    return entry;
}

HWND CallHtmlHelp(HWND caller, const wchar_t* file, UINT command, DWORD_PTR data) {
    HtmlHelpFunction entry = HtmlHelpEntry();
    return entry != nullptr ? entry(caller, file, command, data) : nullptr;
}

// The framework's help commands as HTML Help commands.
UINT HtmlHelpCommand(UINT command) {
    switch (command) {
        case 1:
            return HH_HELP_CONTEXT;
        case 2:
            return HH_CLOSE_ALL;
        case 3:
            return HH_DISPLAY_INDEX;
        case 8:
            return HH_DISPLAY_TEXT_POPUP;
        case 10:
            return HH_TP_HELP_CONTEXTMENU;
        case 12:
            return HH_TP_HELP_WM_HELP;
        default:
            return HH_DISPLAY_TOPIC;
    }
}

// The folder of the module's file, with its trailing "\".
std::wstring ModuleFolder(HMODULE module) {
    wchar_t file[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, file, MAX_PATH);
    std::wstring folder(file, length < MAX_PATH ? length : 0);
    const size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

}  // namespace

bool HelpLink::Init(HMODULE module, HWND newOwner, const std::wstring& name) {
    if (name.empty()) return false;
    path = name.find_first_of(L"\\/") == std::wstring::npos ? ModuleFolder(module) + name : name;
    CallHtmlHelp(nullptr, nullptr, HH_INITIALIZE, reinterpret_cast<DWORD_PTR>(&cookie));
    owner = newOwner;
    return cookie != 0;
}

// A file that is not there is not handed to HTML Help, which would report it in a message box
// of its own: help that cannot be shown does nothing.
HRESULT HelpLink::Open(UINT command) {
    if (cookie == 0 || path.empty()) return E_INVALIDARG;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return E_FAIL;
    return CallHtmlHelp(owner, path.c_str(), HtmlHelpCommand(command), 0) != nullptr ? S_OK
                                                                                     : E_FAIL;
}

void HelpLink::Close() {
    if (cookie != 0) CallHtmlHelp(nullptr, nullptr, HH_UNINITIALIZE, cookie);
    cookie = 0;
}

std::wstring HelpLink::InstallDirectory() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Veskar Music Software\\Shared MIDI Plugins",
                      0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {};
    }
    DWORD bytes = 0;
    std::wstring directory;
    if (RegGetValueW(key, nullptr, L"InstallDirectory", RRF_RT_REG_SZ, nullptr, nullptr, &bytes) ==
            ERROR_SUCCESS &&
        bytes >= sizeof(wchar_t)) {
        std::vector<wchar_t> value(bytes / sizeof(wchar_t) + 1, L'\0');
        if (RegGetValueW(key, nullptr, L"InstallDirectory", RRF_RT_REG_SZ, nullptr, value.data(),
                         &bytes) == ERROR_SUCCESS) {
            directory = value.data();
        }
    }
    RegCloseKey(key);
    return directory;
}
