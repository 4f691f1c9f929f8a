#include "guisupport/RealInput.h"

#include <winternl.h>

void RealInput::PumpPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Absolute coordinates are 1/65536 of the screen; rounding up lands on the pixel itself
// under Windows' and Wine's truncating conversion back.
void RealInput::SendMove(POINT screen, DWORD buttons) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &input, sizeof(input));
}

POINT RealInput::CursorPos() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    return cursor;
}

bool RealInput::IsAt(POINT screen) {
    const POINT cursor = CursorPos();
    return cursor.x == screen.x && cursor.y == screen.y;
}

void RealInput::Button(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

void RealInput::DoubleClick() {
    INPUT inputs[4] = {};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    SendInput(4, inputs, sizeof(INPUT));
}

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
