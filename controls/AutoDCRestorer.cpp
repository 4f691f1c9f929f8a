#include "controls/AutoDCRestorer.h"

#include "controls/win/DC.h"

CAutoDCRestorer::CAutoDCRestorer(CDC& target, uint32_t items) : dc(target), selection(items) {
    if (Has(kBkColor)) bkColor = dc.GetBkColor();
    if (Has(kTextColor)) textColor = dc.GetTextColor();
    if (Has(kBkMode)) bkMode = dc.GetBkMode();
    if (Has(kRop2)) rop2 = dc.GetROP2();
    if (Has(kStretchMode)) stretchMode = dc.GetStretchBltMode();
    if (Has(kMapMode)) mapMode = dc.GetMapMode();
    if (Has(kPen)) pen = dc.GetCurrentObject(OBJ_PEN);
    if (Has(kBrush)) brush = dc.GetCurrentObject(OBJ_BRUSH);
    if (Has(kBitmap)) bitmap = dc.GetCurrentObject(OBJ_BITMAP);
    if (Has(kFont)) font = dc.GetCurrentObject(OBJ_FONT);
}

CAutoDCRestorer::~CAutoDCRestorer() {
    if (Has(kBkColor)) dc.SetBkColor(bkColor);
    if (Has(kTextColor)) dc.SetTextColor(textColor);
    if (Has(kBkMode)) dc.SetBkMode(bkMode);
    if (Has(kRop2)) dc.SetROP2(rop2);
    if (Has(kStretchMode)) dc.SetStretchBltMode(stretchMode);
    if (Has(kMapMode)) dc.SetMapMode(mapMode);
    if (Has(kPen)) dc.SelectObject(pen);
    if (Has(kBrush)) dc.SelectObject(brush);
    if (Has(kBitmap)) dc.SelectObject(bitmap);
    if (Has(kFont)) dc.SelectObject(font);
}
