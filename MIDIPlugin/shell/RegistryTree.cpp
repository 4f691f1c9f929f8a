#include "shell/RegistryTree.h"

namespace {
constexpr DWORD kMaxSubkeyName = 512;
}  // namespace

bool DeleteKeyTree(HKEY parent, const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        wchar_t subkey[kMaxSubkeyName + 1];
        DWORD index = 0;
        for (;;) {
            DWORD length = kMaxSubkeyName + 1;
            if (RegEnumKeyExW(key, index, subkey, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            // Deleting shifts the remaining subkeys down; one that stays is stepped over, so
            // the walk ends.
            if (!DeleteKeyTree(key, subkey)) ++index;
        }
        RegCloseKey(key);
    }
    return RegDeleteKeyW(parent, path) == ERROR_SUCCESS;
}
