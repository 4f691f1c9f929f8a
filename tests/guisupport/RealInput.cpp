#include "guisupport/RealInput.h"

#include <winternl.h>

namespace {

// The process's GDI handle table: its entries are 24 bytes each on 64-bit Windows and in Wine
// alike, with the object's type in the byte at offset 14 (0 for a free entry); the table's
// address is in the process environment block, 0xF8 bytes in.
constexpr size_t kGdiEntries = 0x10000, kGdiEntryBytes = 24, kGdiTypeOffset = 14;

const unsigned char* GdiHandleTable() {
    using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query ||
        query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0) {
        return nullptr;
    }
    constexpr size_t kTableOffset = 0xF8;
    const auto* peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
    return *reinterpret_cast<const unsigned char* const*>(peb + kTableOffset);
}

size_t CountGdiEntries(int type) {
    const unsigned char* table = GdiHandleTable();
    size_t live = 0;
    for (size_t i = 0; table && i < kGdiEntries; ++i) {
        const unsigned char entryType = table[i * kGdiEntryBytes + kGdiTypeOffset];
        live += entryType != 0 && (type < 0 || entryType == type) ? 1 : 0;
    }
    return live;
}

}  // namespace

// Only Wine needs the table for the total: its GetGuiResources is a stub.
size_t LiveGdiObjects() {
    if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) {
        return count;
    }
    return CountGdiEntries(-1);
}

size_t LiveGdiObjectsOfType(uint8_t type) { return CountGdiEntries(type); }

namespace {

bool OfThisProcess(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM count) {
    if (!OfThisProcess(window)) return TRUE;
    ++*reinterpret_cast<size_t*>(count);
    EnumChildWindows(
        window,
        [](HWND, LPARAM children) -> BOOL {
            ++*reinterpret_cast<size_t*>(children);
            return TRUE;
        },
        count);
    return TRUE;
}

}  // namespace

// EnumWindows leaves message-only windows out: they are looked for apart.
size_t ProcessWindows() {
    size_t count = 0;
    EnumWindows(&CountWithChildren, reinterpret_cast<LPARAM>(&count));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        count += OfThisProcess(window) ? 1 : 0;
    }
    return count;
}
