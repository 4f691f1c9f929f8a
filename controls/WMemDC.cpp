#include "controls/WMemDC.h"

CWMemDC::CWMemDC(CDC& targetDC, HBITMAP bitmap) : target(&targetDC) {
    CreateCompatibleDC(target->GetSafeHdc());
    target->GetClipBox(targetRect);
    if (!bitmap) {
        ownBitmap = CreateCompatibleBitmap(target->GetSafeHdc(), targetRect.right - targetRect.left,
                                           targetRect.bottom - targetRect.top);
        bitmap = ownBitmap;
    }
    previousBitmap = SelectObject(bitmap);
    SetWindowOrg(targetRect.left, targetRect.top);
}

CWMemDC::~CWMemDC() {
    target->BitBlt(targetRect.left, targetRect.top, targetRect.right - targetRect.left,
                   targetRect.bottom - targetRect.top, GetSafeHdc(), targetRect.left,
                   targetRect.top, SRCCOPY);
    SelectObject(previousBitmap);
    if (ownBitmap) {
        DeleteObject(ownBitmap);
    }
    DeleteDC();
}
