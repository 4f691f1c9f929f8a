#include "support/PageDrive.h"

#include <gtest/gtest.h>

namespace {

POINT Centre(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

void DragHandle(CNWMinMaxSlider* slider, bool low, int up) {
    const POINT centre = Centre(slider->GetRect());
    const LONG handle = slider->TrackPixel(low ? slider->GetLow() : slider->GetHigh());
    const POINT press = {centre.x, low ? handle + 2 : handle - 2};
    slider->OnLButtonDown(0, press);
    slider->OnMouseMove(MK_LBUTTON, {press.x, press.y - up});
    slider->OnLButtonUp(0, {press.x, press.y - up});
}

void DoubleClick(CNWControl* control) {
    const POINT centre = Centre(control->GetRect());
    control->OnLButtonDown(0, centre);
    control->OnLButtonUp(0, centre);
    control->OnLButtonDblClk(0, centre);
    control->OnLButtonUp(0, centre);
}

void ExpectFields(const ArpeggiatorParams& params, Fields expected) {
    for (const auto& [name, value] : expected) {
        const ParamField* field = FindParamField(name);
        ASSERT_NE(field, nullptr) << name;
        EXPECT_EQ(field->In(params), value) << name;
    }
}
