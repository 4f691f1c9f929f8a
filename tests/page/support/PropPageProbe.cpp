#include "support/PropPageProbe.h"

#include <gtest/gtest.h>

#include <string>

std::vector<PropPageProbe::Named> PropPageProbe::Controls() const {
    return {
        {"enableButton", page.enableButton},
        {"playThroughBox", page.playThroughBox},
        {"keepInRangeBox", page.keepInRangeBox},
        {"leftHandWindowBox", page.leftHandWindowBox},
        {"unitsDropDown", page.unitsDropDown},
        {"pathDropDown", page.pathDropDown},
        {"rateSlider", page.rateSlider},
        {"legatoSlider", page.legatoSlider},
        {"swingSlider", page.swingSlider},
        {"outputRangeSlider", page.outputRangeSlider},
        {"chordRangeSlider", page.chordRangeSlider},
        {"rateBox", page.rateBox},
        {"legatoBox", page.legatoBox},
        {"swingBox", page.swingBox},
        {"outputLowBox", page.outputLowBox},
        {"outputHighBox", page.outputHighBox},
        {"chordLowBox", page.chordLowBox},
        {"chordHighBox", page.chordHighBox},
        {"chordDisplay", page.chordDisplay},
    };
}

CNWControl* PropPageProbe::Control(std::string_view name) const {
    for (const Named& named : Controls()) {
        if (name == named.name) return named.control;
    }
    ADD_FAILURE() << "the page has no control " << std::string(name);
    return nullptr;
}

CNWMinMaxSlider* PropPageProbe::RangeSlider(std::string_view name) const {
    return dynamic_cast<CNWMinMaxSlider*>(Control(name));
}

bool PropPageProbe::TakesNumber(CNWControl* box, int32_t& min, int32_t& max) const {
    ArpeggiatorPage::NumberEntry entry = {};
    if (!page.NumberEntryFor(box, page.Params(), entry)) return false;
    min = entry.min;
    max = entry.max;
    return true;
}
