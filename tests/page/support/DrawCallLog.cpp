#include "support/DrawCallLog.h"

#include <cstring>

namespace {

DrawCallLog* active = nullptr;

// The import slot of `function` (from gdi32 or user32) in this program's import table.
void** ImportSlot(const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; module->Name != 0; ++module) {
        const char* library = reinterpret_cast<const char*>(base + module->Name);
        if (_stricmp(library, "gdi32.dll") != 0 && _stricmp(library, "user32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                return reinterpret_cast<void**>(&slots->u1.Function);
            }
        }
    }
    return nullptr;
}

void* Swap(void** slot, void* replacement) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    void* previous = *slot;
    *slot = replacement;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    return previous;
}

// One recorder per drawing function: records, then calls the function the slot held.
template <typename Function, int Id>
struct Recorder;

template <typename R, typename... A, int Id>
struct Recorder<R(WINAPI*)(HDC, A...), Id> {
    static inline R(WINAPI* original)(HDC, A...) = nullptr;
    static inline const char* name = nullptr;
    static R WINAPI Call(HDC dc, A... args) {
        DrawCallLog::Record(name, dc, 0, {});
        return original(dc, args...);
    }
};

// A BitBlt records where it lands and how.
template <int Id>
struct Recorder<decltype(&::BitBlt), Id> {
    static inline decltype(&::BitBlt) original = nullptr;
    static inline const char* name = nullptr;
    static BOOL WINAPI Call(HDC dc, int x, int y, int cx, int cy, HDC source, int sx, int sy,
                            DWORD rop) {
        DrawCallLog::Record(name, dc, rop, {x, y, x + cx, y + cy});
        return original(dc, x, y, cx, cy, source, sx, sy, rop);
    }
};

struct Slot {
    const char* function;
    void* recorder;
    void** original;
    const char** name;
    void** slot = nullptr;
};

template <typename Function, int Id>
Slot SlotFor(const char* function) {
    using Hook = Recorder<Function, Id>;
    return {function, reinterpret_cast<void*>(&Hook::Call),
            reinterpret_cast<void**>(&Hook::original), &Hook::name};
}

Slot slots[] = {
    SlotFor<decltype(&::BitBlt), 0>("BitBlt"),
    SlotFor<decltype(&::StretchBlt), 1>("StretchBlt"),
    SlotFor<decltype(&::PatBlt), 2>("PatBlt"),
    SlotFor<decltype(&::Rectangle), 3>("Rectangle"),
    SlotFor<decltype(&::Ellipse), 4>("Ellipse"),
    SlotFor<decltype(&::RoundRect), 5>("RoundRect"),
    SlotFor<decltype(&::Polygon), 6>("Polygon"),
    SlotFor<decltype(&::Polyline), 7>("Polyline"),
    SlotFor<decltype(&::LineTo), 8>("LineTo"),
    SlotFor<decltype(&::TextOutW), 9>("TextOutW"),
    SlotFor<decltype(&::ExtTextOutW), 10>("ExtTextOutW"),
    SlotFor<decltype(&::DrawTextW), 11>("DrawTextW"),
    SlotFor<decltype(&::DrawTextExW), 12>("DrawTextExW"),
    SlotFor<decltype(&::FillRect), 13>("FillRect"),
    SlotFor<decltype(&::FrameRect), 14>("FrameRect"),
    SlotFor<decltype(&::DrawEdge), 15>("DrawEdge"),
    SlotFor<decltype(&::DrawFocusRect), 16>("DrawFocusRect"),
    SlotFor<decltype(&::SetPixel), 17>("SetPixel"),
    SlotFor<decltype(&::SetPixelV), 18>("SetPixelV"),
    SlotFor<decltype(&::StretchDIBits), 19>("StretchDIBits"),
    SlotFor<decltype(&::SetDIBitsToDevice), 20>("SetDIBitsToDevice"),
    SlotFor<decltype(&::FillRgn), 21>("FillRgn"),
    SlotFor<decltype(&::InvertRect), 22>("InvertRect"),
};

}  // namespace

DrawCallLog::DrawCallLog(HWND watched) : window(watched) {
    for (Slot& entry : slots) {
        entry.slot = ImportSlot(entry.function);
        if (entry.slot == nullptr) continue;
        *entry.name = entry.function;
        *entry.original = Swap(entry.slot, entry.recorder);
    }
    active = this;
}

DrawCallLog::~DrawCallLog() {
    active = nullptr;
    for (Slot& entry : slots) {
        if (entry.slot != nullptr) Swap(entry.slot, *entry.original);
        entry.slot = nullptr;
    }
}

void DrawCallLog::Record(const char* function, HDC dc, DWORD rop, RECT area) {
    if (active == nullptr) return;
    ++active->allCalls;
    if (WindowFromDC(dc) == active->window) active->windowCalls.push_back({function, rop, area});
}
