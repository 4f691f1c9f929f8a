// The page paints itself whole: the skin, thin frames around the drop-downs and value boxes,
// the labels, then the controls, all composed off screen and copied to the window in one
// transfer, so that the full repaint after every chord never flickers.
#include "controls/AutoDCRestorer.h"
#include "controls/NWDropDownCtrl.h"
#include "controls/NWEditControl.h"
#include "controls/NWMultiBtn.h"
#include "controls/WMemDC.h"
#include "controls/win/PaintDC.h"
#include "editor/ArpeggiatorPage.h"

namespace {

// Every item the restorer knows up to the font (0x080 has no meaning).
constexpr uint32_t kRestoreSelection = 255;

struct Label {
    const wchar_t* text;
    CNWControl* anchor;
    int dx;
    int dy;
};

}  // namespace

void ArpeggiatorPage::OnPaint() {
    CPaintDC paint(GetSafeHwnd());
    PaintPage(paint);
}

// WM_PRINTCLIENT (PrintWindow, the page renderer): the same composition into the caller's
// context, limited to the client area and to whatever clip region the caller selected, as a
// paint is limited to its clip box. The caller's context is left as it was given.
void ArpeggiatorPage::OnPrintClient(HDC target) {
    const int saved = SaveDC(target);
    const RECT client = GetClientRect();
    IntersectClipRect(target, client.left, client.top, client.right, client.bottom);
    {
        CDC attached(target);
        PaintPage(attached);
    }
    RestoreDC(target, saved);
}

// Everything lands in a bitmap the size of the target's clip box; the restorer goes before
// the memory context, which copies itself to the target as it goes. The frame pen, the
// paint's own, stays selected until the controls have drawn, and leaves the context before
// it is deleted (a selected pen would not be).
void ArpeggiatorPage::PaintPage(CDC& target) {
    CWMemDC memory(target);
    CAutoDCRestorer memoryState(memory, kRestoreSelection);
    PaintSkin(memory, target);
    HPEN framePen = CreatePen(PS_SOLID, 0, frameColor);
    HGDIOBJ previousPen = memory.SelectObject(framePen);
    PaintFrames(memory);
    PaintLabels(memory);
    DrawControls(memory);
    memory.SelectObject(previousPen);
    DeleteObject(framePen);
}

void ArpeggiatorPage::PaintSkin(CDC& memory, CDC& target) {
    const RECT client = GetClientRect();
    CDC skin;
    skin.CreateCompatibleDC(target.GetSafeHdc());
    CAutoDCRestorer skinState(skin, kRestoreSelection);
    skin.SelectObject(skinBitmap);
    // Not stretched: beyond the skin's own size the page draws nothing of its own.
    memory.BitBlt(client.left, client.top, client.right - client.left, client.bottom - client.top,
                  skin.GetSafeHdc(), 0, 0, SRCCOPY);
}

// One-pixel outlines in the frame pen; sliders, range sliders and buttons get none.
void ArpeggiatorPage::PaintFrames(CDC& memory) {
    memory.SelectObject(GetStockObject(NULL_BRUSH));
    CNWControl* const framed[] = {unitsDropDown, pathDropDown, rateBox,       legatoBox,
                                  swingBox,      outputLowBox, outputHighBox, chordLowBox,
                                  chordHighBox,  chordDisplay};
    for (CNWControl* control : framed) memory.Rectangle(control->GetRect());
}

// Placed from the controls' current positions on every paint, so that the labels follow the
// layout. Without a background: the skin shows between the letters.
void ArpeggiatorPage::PaintLabels(CDC& memory) {
    memory.SetTextColor(textColor);
    memory.SetBkMode(TRANSPARENT);
    memory.SelectObject(labelFont);
    const Label labels[] = {
        {L"Play Through", playThroughBox, 20, 2}, {L"Units:", unitsDropDown, 0, -14},
        {L"Path:", pathDropDown, 0, -14},         {L"Rate", rateBox, 4, -14},
        {L"Legato", legatoBox, 1, -14},           {L"Swing", swingBox, 2, -14},
        {L"Output", outputHighBox, 4, -14},       {L"Chord", chordHighBox, 6, -14},
        {L"Recognized", chordDisplay, 6, -28},    {L"Chord", chordDisplay, 18, -15},
    };
    for (const Label& label : labels) {
        const RECT anchor = label.anchor->GetRect();
        memory.TextOut(anchor.left + label.dx, anchor.top + label.dy, label.text);
    }
}
