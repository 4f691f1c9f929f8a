#include "controls/win/ResourceModule.h"

namespace {

HINSTANCE chosenModule = nullptr;

HINSTANCE ModuleOfThisCode() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ModuleOfThisCode), &module);
    return module;
}

}  // namespace

HINSTANCE CResourceModule::Get() { return chosenModule ? chosenModule : ModuleOfThisCode(); }

void CResourceModule::Set(HINSTANCE module) { chosenModule = module; }
