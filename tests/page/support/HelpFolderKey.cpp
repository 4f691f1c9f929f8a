#include "support/HelpFolderKey.h"

#include "controls/win/Win32.h"

namespace {

constexpr wchar_t kSharedPluginsKey[] = L"Software\\Veskar Music Software\\Shared MIDI Plugins";

}  // namespace

bool HelpFolderKey::Set(const std::wstring& folder) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSharedPluginsKey, 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const auto bytes = static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t));
    const LSTATUS status = RegSetValueExW(key, L"InstallDirectory", 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(folder.c_str()), bytes);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

void HelpFolderKey::Remove() { RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSharedPluginsKey); }

std::wstring TemporaryFolder() {
    wchar_t path[MAX_PATH] = {};
    std::wstring folder(path, GetTempPathW(MAX_PATH, path));
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    return folder;
}
