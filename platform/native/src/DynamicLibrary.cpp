#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

// RTLD_LOCAL: two plug-ins built from this engine never bind to each other's symbols.
DynamicLibrary::DynamicLibrary(const char* utf8Path)
    : handle(dlopen(utf8Path, RTLD_NOW | RTLD_LOCAL)) {}

DynamicLibrary::~DynamicLibrary() {
    if (handle != nullptr) dlclose(handle);
}

void* DynamicLibrary::Symbol(const char* name) const {
    return handle != nullptr ? dlsym(handle, name) : nullptr;
}
