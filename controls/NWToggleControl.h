// A button without faces of its own: it acts on press, on release, or on both, and acting
// flips its value between 0 and 1 and tells the owner. CNWMultiBtn gives it bitmap faces.
// [ui thread] throughout, like the host window.
#pragma once

#include <cstdint>

#include "controls/NWControl.h"

class CNWToggleControl : public CNWControl {
public:
    enum ButtonType : int32_t {
        kLatching = 0,   // acts on press
        kPush = 1,       // acts on release while the pointer is still inside
        kMomentary = 2,  // acts on press and again on release
    };

    CNWToggleControl(CNWControlSite& site, int32_t type);

    void OnLButtonDown(UINT keyFlags, POINT point) override;
    void OnLButtonUp(UINT keyFlags, POINT point) override;
    void OnLButtonDblClk(UINT keyFlags, POINT point) override;
    void OnRButtonUp(UINT keyFlags, POINT point) override;
    // 1, 3, 5 switch off; 2, 4, 6 switch on; 7 flips; the owner hears of a real change only
    // (7 always). Other actions go to the base.
    int DoAction(int action) override;
    // Space flips the button, as a click does; nothing else.
    int OnKeyDown(UINT key, UINT modifiers) override;

    int32_t GetButtonType() const { return buttonType; }
    void SetButtonType(int32_t type) { buttonType = type; }
    void SetNotifyAction(bool notify) { notifyAction = notify ? 1 : 0; }
    void SetToggles(bool flips) { toggles = flips ? 1 : 0; }

protected:
    bool ActsOnPress() const { return buttonType == kLatching || buttonType == kMomentary; }
    bool ActsOnRelease() const { return buttonType == kPush || buttonType == kMomentary; }
    // Flips the value (while toggling and resending on press) and tells the owner.
    void Act(UINT keyFlags);
    bool ResendsOnPress() const { return style->GetOption(NWControlStyle::kResendOnPress) != 0; }

    int32_t buttonType;
    int32_t notifyAction = 1;
    int32_t toggles = 1;
};
