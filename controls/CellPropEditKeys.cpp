// The keys and focus changes that end an in-place edit.
#include "controls/CellPropEditCtrl.h"

void CCellPropEditCtrl::End(bool accept, uint32_t key) {
    done = 1;
    accepted = accept ? 1 : 0;
    lastKey = key;
}

// Left and Right first move the caret as in any field; only at the text's edge, with nothing
// selected, do they leave it, so that the first Left after the edit opens (all text
// selected) puts the caret at the start instead of ending the edit.
bool CCellPropEditCtrl::HandleEndingKey(UINT key) {
    int start = 0;
    int end = 0;
    switch (key) {
        case VK_TAB:
        case VK_RETURN:
            End(true, key);
            return true;
        case VK_ESCAPE:
            End(false, key);
            return true;
        case VK_UP:
        case VK_DOWN:
            End(true, key);
            return true;
        case VK_LEFT:
            GetSel(start, end);
            if (start != 0 || end != 0) return false;
            End(true, key);
            return true;
        case VK_RIGHT:
            GetSel(start, end);
            if (start != end || end != GetWindowTextLengthW(GetSafeHwnd())) return false;
            End(true, key);
            return true;
        case VK_F5:
            if (!owner || !owner->AllowsRefreshKey()) return false;
            End(true, VK_RETURN);
            return true;
        default:
            return false;
    }
}

// While the typed text is being passed on, the site may move the focus (redrawing, a tip);
// the edit takes it back once that is done instead of ending.
void CCellPropEditCtrl::OnFocusLost() {
    if (done) {
        return;
    }
    if (liveUpdate) {
        focusLostDuringLiveUpdate = true;
        return;
    }
    End(false, 0);
}

LRESULT CCellPropEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | CPropEditCtrl::WindowProc(message, wParam, lParam);
        case WM_KEYDOWN:
            if (HandleEndingKey(static_cast<UINT>(wParam))) return 0;
            break;
        case WM_KILLFOCUS:
            OnFocusLost();
            break;
        case WM_DESTROY:
            // The parent went while the edit was open (closed, destroyed).
            if (!done) End(false, 0);
            windowGone = true;
            break;
        default:
            break;
    }
    return CPropEditCtrl::WindowProc(message, wParam, lParam);
}
