#include "shell/Registration.h"

#include <string>

#include "shell/ModuleInstance.h"
#include "shell/RegistryTree.h"
#include "shell/ServedClasses.h"

namespace {

constexpr wchar_t kMidiFiltersKey[] = L"Software\\Veskar Music Software\\MIDI Filters\\";
constexpr int kRegisteredNameCapacity = 256;

// Upper-case hexadecimal in braces, as COM itself writes class ids.
std::wstring ClassIdText(REFCLSID clsid) {
    wchar_t text[40] = {};
    StringFromGUID2(clsid, text, 40);
    return text;
}

std::wstring ClassKey(REFCLSID clsid) { return L"CLSID\\" + ClassIdText(clsid); }

std::wstring MidiFilterKey(REFCLSID clsid) { return kMidiFiltersKey + ClassIdText(clsid); }

// REG_SZ with its terminating null counted in the size, as the system's own writers store it.
void SetDefaultValue(HKEY root, const std::wstring& path, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
    RegCloseKey(key);
}

void CreateEmptyKey(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
}

// From the module's own string table; empty when the string is missing.
std::wstring LoadModuleString(UINT id) {
    wchar_t text[kRegisteredNameCapacity] = {};
    LoadStringW(ModuleInstance(), id, text, kRegisteredNameCapacity);
    return text;
}

// Empty when the path does not fit MAX_PATH: a cut path would point the host elsewhere.
std::wstring ModulePath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(ModuleInstance(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(path, length);
}

}  // namespace

void RegisterServedClasses() {
    const std::wstring modulePath = ModulePath();
    for (const ServedClass& served : ServedClasses()) {
        const std::wstring classKey = ClassKey(*served.clsid);
        SetDefaultValue(HKEY_CLASSES_ROOT, classKey, LoadModuleString(served.nameStringId));
        if (!modulePath.empty()) {
            SetDefaultValue(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", modulePath);
        }
    }
    for (const ServedClass& served : ServedClasses()) {
        if (served.listedAsMidiFilter) {
            CreateEmptyKey(HKEY_LOCAL_MACHINE, MidiFilterKey(*served.clsid));
        }
    }
}

void UnregisterServedClasses() {
    for (const ServedClass& served : ServedClasses()) {
        DeleteKeyTree(HKEY_CLASSES_ROOT, ClassKey(*served.clsid).c_str());
    }
    for (const ServedClass& served : ServedClasses()) {
        if (served.listedAsMidiFilter) {
            DeleteKeyTree(HKEY_LOCAL_MACHINE, MidiFilterKey(*served.clsid).c_str());
        }
    }
}
