// The tests' view into an editor page of their own process: its controls by name (in member
// order), and the typed-number path without the modal editor in front of it. A friend of the
// page window and of its COM container; nothing else reaches past their public operations.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/NWDropDownCtrl.h"
#include "controls/NWEditControl.h"
#include "controls/NWMinMaxSlider.h"
#include "controls/NWMultiBtn.h"
#include "controls/NWSliderCtrl.h"
#include "editor/ArpeggiatorPropPage.h"

class PropPageProbe {
public:
    struct Named {
        const char* name;
        CNWControl* control;
    };

    explicit PropPageProbe(CArpeggiatorPropPage& target) : page(target.page) {}
    explicit PropPageProbe(ArpeggiatorPage& target) : page(target) {}

    // The page window inside the COM container.
    ArpeggiatorPage& Page() const { return page; }

    // The 19 controls in member order, by their member names.
    std::vector<Named> Controls() const;
    // The control of that member name; fails the test (and returns null) for an unknown name.
    CNWControl* Control(std::string_view name) const;
    CNWMinMaxSlider* RangeSlider(std::string_view name) const;

    // What the page does with a number the in-place editor confirmed for `box`.
    void TypeNumber(CNWControl* box, int32_t n) const { page.ApplyTypedNumber(box, n); }
    // Whether `box` takes a typed number now, and within which limits.
    bool TakesNumber(CNWControl* box, int32_t& min, int32_t& max) const;

    HFONT LabelFont() const { return page.labelFont; }
    bool HasSkin() const { return page.skinBitmap != nullptr; }
    uint32_t Deactivating() const { return page.deactivating; }
    // The help file the page's Help hands to HTML Help, and the cookie HTML Help gave it.
    const std::wstring& HelpPath() const { return page.helpLink.GetPath(); }
    DWORD_PTR HelpCookie() const { return page.helpLink.GetCookie(); }

private:
    ArpeggiatorPage& page;
};
