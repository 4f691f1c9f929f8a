// The state restorer puts back exactly the items it was asked to record, and nothing else.
#include <gtest/gtest.h>

#include <functional>

#include "controls/AutoDCRestorer.h"
#include "support/Pixels.h"

namespace {

// One recordable item: how to read it and how to change it to something else.
struct Item {
    uint32_t bit;
    const char* name;
    std::function<uintptr_t(CDC&)> read;
    std::function<void(CDC&)> change;
};

}  // namespace

TEST(AutoDCRestorer, RestoresTheSelectedItemsAndLeavesTheOthersChanged) {
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    HFONT font = CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    const Item items[] = {
        {CAutoDCRestorer::kBkColor, "background colour",
         [](CDC& dc) { return uintptr_t{dc.GetBkColor()}; },
         [](CDC& dc) { dc.SetBkColor(RGB(9, 8, 7)); }},
        {CAutoDCRestorer::kTextColor, "text colour",
         [](CDC& dc) { return uintptr_t{dc.GetTextColor()}; },
         [](CDC& dc) { dc.SetTextColor(RGB(7, 8, 9)); }},
        {CAutoDCRestorer::kBkMode, "background mode",
         [](CDC& dc) { return static_cast<uintptr_t>(dc.GetBkMode()); },
         [](CDC& dc) { dc.SetBkMode(TRANSPARENT); }},
        {CAutoDCRestorer::kPen, "pen",
         [](CDC& dc) { return reinterpret_cast<uintptr_t>(dc.GetCurrentObject(OBJ_PEN)); },
         [pen](CDC& dc) { dc.SelectObject(pen); }},
        {CAutoDCRestorer::kBrush, "brush",
         [](CDC& dc) { return reinterpret_cast<uintptr_t>(dc.GetCurrentObject(OBJ_BRUSH)); },
         [brush](CDC& dc) { dc.SelectObject(brush); }},
        {CAutoDCRestorer::kBitmap, "bitmap",
         [](CDC& dc) { return reinterpret_cast<uintptr_t>(dc.GetCurrentObject(OBJ_BITMAP)); },
         [bitmap](CDC& dc) { dc.SelectObject(bitmap); }},
        {CAutoDCRestorer::kFont, "font",
         [](CDC& dc) { return reinterpret_cast<uintptr_t>(dc.GetCurrentObject(OBJ_FONT)); },
         [font](CDC& dc) { dc.SelectObject(font); }},
        {CAutoDCRestorer::kRop2, "ROP2 mode",
         [](CDC& dc) { return static_cast<uintptr_t>(dc.GetROP2()); },
         [](CDC& dc) { dc.SetROP2(R2_XORPEN); }},
        {CAutoDCRestorer::kStretchMode, "stretch mode",
         [](CDC& dc) { return static_cast<uintptr_t>(dc.GetStretchBltMode()); },
         [](CDC& dc) { dc.SetStretchBltMode(HALFTONE); }},
        {CAutoDCRestorer::kMapMode, "mapping mode",
         [](CDC& dc) { return static_cast<uintptr_t>(dc.GetMapMode()); },
         [](CDC& dc) { dc.SetMapMode(MM_LOMETRIC); }},
    };
    const uint32_t selections[] = {0x001, 0x002, 0x004, 0x008, 0x010, 0x020, 0x040,
                                   0x100, 0x200, 0x400, 255,   0x7FF, 0};
    for (uint32_t selection : selections) {
        PixelCanvas canvas(8, 8, RGB(0, 0, 0));
        CDC& dc = canvas.Dc();
        uintptr_t before[std::size(items)];
        for (size_t i = 0; i < std::size(items); ++i) {
            before[i] = items[i].read(dc);
        }
        {
            CAutoDCRestorer restorer(dc, selection);
            for (const Item& item : items) {
                item.change(dc);
            }
        }
        for (size_t i = 0; i < std::size(items); ++i) {
            const bool restored = (selection & items[i].bit) != 0;
            EXPECT_EQ(items[i].read(dc) == before[i], restored)
                << items[i].name << " with selection 0x" << std::hex << selection;
        }
        // Put the canvas's own bitmap and the stock objects back before it goes.
        dc.SelectObject(canvas.Bitmap());
        dc.SelectObject(GetStockObject(BLACK_PEN));
        dc.SelectObject(GetStockObject(WHITE_BRUSH));
        dc.SelectObject(GetStockObject(SYSTEM_FONT));
    }
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(font);
    DeleteObject(bitmap);
}
