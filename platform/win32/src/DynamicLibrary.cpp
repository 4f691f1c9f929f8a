#include "platform/DynamicLibrary.h"

#include <algorithm>
#include <string>

#include "platform/ComTypes.h"

namespace {

std::wstring WidePath(const char* utf8Path) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8Path, -1, nullptr, 0);
    std::wstring path(static_cast<size_t>(std::max(size, 1)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8Path, -1, path.data(), size);
    path.resize(path.size() - 1);
    // LoadLibrary wants backslashes: with forward ones it may search instead of loading the file.
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

}  // namespace

DynamicLibrary::DynamicLibrary(const char* utf8Path)
    : handle(LoadLibraryW(WidePath(utf8Path).c_str())) {}

DynamicLibrary::~DynamicLibrary() {
    if (handle != nullptr) FreeLibrary(static_cast<HMODULE>(handle));
}

void* DynamicLibrary::Symbol(const char* name) const {
    if (handle == nullptr) return nullptr;
    // Through void(*)(): the one function-pointer cast the compiler accepts silently.
    return reinterpret_cast<void*>(
        reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(handle), name)));
}
