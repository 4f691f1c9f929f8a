// The module under test, reached the way a host reaches it: by path for registration, by class
// id through COM for everything else.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ComTypes.h"

// Windows path of Arpeggiator.dll, from the command line.
const std::wstring& ModulePath();

// The module's base name, for GetModuleHandleW: whether the process has it loaded at all.
inline constexpr wchar_t kModuleName[] = L"Arpeggiator.dll";

// Holds one LoadLibrary reference for its scope; every test gives back what it took, so that
// COM alone decides when the module leaves the process.
class LoadedModule {
public:
    LoadedModule();
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    HMODULE Handle() const { return module; }

    // Null when the module or the export is missing.
    template <typename Function>
    Function* Export(const char* name) const {
        if (module == nullptr) return nullptr;
        // Through void(*)(): the one function-pointer cast the compiler accepts silently.
        return reinterpret_cast<Function*>(
            reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    }

private:
    HMODULE module;
};

using ModuleFunction = HRESULT STDAPICALLTYPE();
using GetClassObjectFunction = HRESULT STDAPICALLTYPE(REFCLSID, REFIID, void**);

// DllCanUnloadNow of the copy COM loaded, without adding a reference; E_UNEXPECTED when the
// module is not loaded.
HRESULT ModuleCanUnloadNow();

// Releases a COM reference at the end of a scope.
struct ComReleaser {
    void operator()(IUnknown* object) const {
        if (object != nullptr) object->Release();
    }
};
template <typename Interface>
using ComRef = std::unique_ptr<Interface, ComReleaser>;

// 0xdeadbeef as an out-pointer's prior value, so that a forgotten write shows.
inline void* Sentinel() { return reinterpret_cast<void*>(static_cast<uintptr_t>(0xdeadbeef)); }
