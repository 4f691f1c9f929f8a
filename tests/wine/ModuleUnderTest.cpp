// Entry point of the COM client tests: takes the module's path, registers the module through its
// own export for the whole run and removes it again at the end.
#include "ModuleUnderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

std::wstring modulePath;

// A Linux path given by CTest becomes the same file on Wine's Z: drive.
std::wstring ToWindowsPath(const char* path) {
    std::wstring converted(path, path + std::char_traits<char>::length(path));
    if (!converted.empty() && converted[0] == L'/') converted = L"Z:" + converted;
    std::replace(converted.begin(), converted.end(), L'/', L'\\');
    return converted;
}

HRESULT CallModuleExport(const char* name) {
    LoadedModule module;
    ModuleFunction* function = module.Export<ModuleFunction>(name);
    return function != nullptr ? function() : E_UNEXPECTED;
}

// One registration for the whole run, in a single-threaded apartment on the test thread: the
// module registers no threading model, so COM hands its objects to the main apartment. The
// module stays registered afterwards: the other tests of this prefix create it through the
// registry (unregistering is the registration script's test).
class RegisteredModule final : public testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        ASSERT_EQ(CallModuleExport("DllRegisterServer"), S_OK) << "module not loadable";
    }
    void TearDown() override { CoUninitialize(); }
};

}  // namespace

const std::wstring& ModulePath() { return modulePath; }

LoadedModule::LoadedModule() : module(LoadLibraryW(modulePath.c_str())) {}

LoadedModule::~LoadedModule() {
    if (module != nullptr) FreeLibrary(module);
}

HRESULT ModuleCanUnloadNow() {
    HMODULE loaded = GetModuleHandleW(kModuleName);
    if (loaded == nullptr) return E_UNEXPECTED;
    auto* function = reinterpret_cast<ModuleFunction*>(
        reinterpret_cast<void (*)()>(GetProcAddress(loaded, "DllCanUnloadNow")));
    return function != nullptr ? function() : E_UNEXPECTED;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PATH-TO-Arpeggiator.dll [gtest options]\n", argv[0]);
        return 2;
    }
    modulePath = ToWindowsPath(argv[1]);
    testing::AddGlobalTestEnvironment(new RegisteredModule);
    return RUN_ALL_TESTS();
}
