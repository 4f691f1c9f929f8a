// Records chosen parts of a device context's state and puts them back when it goes out of
// scope, so that drawing code can change colours, modes and selections freely.
// [ui thread]
#pragma once

#include <cstdint>

#include "controls/win/Win32.h"

class CDC;

class CAutoDCRestorer {
public:
    enum Item : uint32_t {
        kBkColor = 0x001,
        kTextColor = 0x002,
        kBkMode = 0x004,
        kPen = 0x008,
        kBrush = 0x010,
        kBitmap = 0x020,
        kFont = 0x040,
        kRop2 = 0x100,
        kStretchMode = 0x200,
        kMapMode = 0x400,
    };

    CAutoDCRestorer(CDC& dc, uint32_t selection);
    CAutoDCRestorer(const CAutoDCRestorer&) = delete;
    CAutoDCRestorer& operator=(const CAutoDCRestorer&) = delete;
    virtual ~CAutoDCRestorer();

private:
    bool Has(Item item) const { return (selection & item) != 0; }

    CDC& dc;
    uint32_t selection;
    COLORREF bkColor = 0;
    COLORREF textColor = 0;
    int bkMode = 0;
    int rop2 = 0;
    int stretchMode = 0;
    int mapMode = 0;
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ bitmap = nullptr;
    HGDIOBJ font = nullptr;
};
