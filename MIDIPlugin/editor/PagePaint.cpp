// The page paints itself whole: the skin, thin frames around the drop-downs and value boxes,
// the labels, then the controls, all composed off screen and copied to the window in one
// transfer, so that the full repaint after every chord never flickers.
#include <iterator>

#include "controls/AutoDCRestorer.h"
#include "controls/NWDropDownCtrl.h"
#include "controls/NWEditControl.h"
#include "controls/NWMultiBtn.h"
#include "controls/WMemDC.h"
#include "controls/win/PaintDC.h"
#include "editor/ArpeggiatorPropPage.h"

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

void CArpeggiatorPropPage::OnPaint() {
    CPaintDC paint(GetSafeHwnd());
    const RECT client = GetClientRect();
    CWMemDC memory(paint);
    CAutoDCRestorer memoryState(memory, kRestoreSelection);

    CDC skin;
    skin.CreateCompatibleDC(paint.GetSafeHdc());
    {
        CAutoDCRestorer skinState(skin, kRestoreSelection);
        skin.SelectObject(skinBitmap);
        // Not stretched: beyond the skin's own size the page draws nothing of its own.
        memory.BitBlt(client.left, client.top, client.right - client.left,
                      client.bottom - client.top, skin.GetSafeHdc(), 0, 0, SRCCOPY);
    }

    HPEN framePen = CreatePen(PS_SOLID, 0, frameColor);
    memory.SelectObject(framePen);
    memory.SelectObject(GetStockObject(NULL_BRUSH));
    CNWControl* const framed[] = {unitsDropDown, pathDropDown, rateBox,       legatoBox,
                                  swingBox,      outputLowBox, outputHighBox, chordLowBox,
                                  chordHighBox,  chordDisplay};
    for (CNWControl* control : framed) memory.Rectangle(control->GetRect());

    memory.SetTextColor(textColor);
    memory.SetBkMode(TRANSPARENT);
    memory.SelectObject(labelFont);
    // Placed from the controls' current positions, so that the labels follow the layout.
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

    DrawControls(memory);
    // The pen leaves the context with the restorer, before it is deleted; the memory context
    // copies itself to the window when it goes, after the restorer.
    memory.SelectObject(GetStockObject(BLACK_PEN));
    DeleteObject(framePen);
}
