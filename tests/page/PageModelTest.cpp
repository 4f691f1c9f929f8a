// The page window without its COM container: a plain parent window and a model of the test's
// own, as a plug-in wrapper would have them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/win/Window.h"
#include "editor/ArpeggiatorPage.h"
#include "guisupport/RealInput.h"
#include "support/PropPageProbe.h"

namespace {

class RecordingModel final : public PageModel {
public:
    ArpeggiatorParams Read() const override { return params; }
    void Edit(const std::function<void(ArpeggiatorParams&)>& edit) override {
        calls.push_back("edit");
        edit(params);
    }
    void View(const std::function<void(const ArpeggiatorParams&)>& view) const override {
        view(params);
    }
    void BeginGesture() override { calls.push_back("begin"); }
    void EndGesture() override { calls.push_back("end"); }
    void FlushHeld() override {}
    IHostTimeConverter* TimeConverter() const override { return nullptr; }
    std::wstring ChordName() const override { return {}; }
    void Connect(IEditorPageLink* newPage) override { page = newPage; }

    ArpeggiatorParams params = DefaultArpeggiatorParams();
    std::vector<std::string> calls;
    IEditorPageLink* page = nullptr;
};

}  // namespace

TEST(PageWindow, EditsAndShowsAModelOfItsOwnInAPlainParent) {
    CWindow parent;
    ASSERT_TRUE(parent.CreateEx(WS_EX_TOOLWINDOW, nullptr, L"page model test", WS_POPUP,
                                {40, 40, 710, 209}, nullptr, 0));
    RecordingModel model;
    {
        ArpeggiatorPage page;
        PropPageProbe probe(page);
        page.SetModel(&model);
        ASSERT_NE(model.page, nullptr) << "the page hands the model its link";
        const RECT rect = {0, 0, 670, 169};
        ASSERT_TRUE(page.Create(parent.GetSafeHwnd(), rect));
        ASSERT_TRUE(page.Destroy());
        ASSERT_TRUE(page.Create(parent.GetSafeHwnd(), rect)) << "created again";
        realinput::PumpPending();

        // A drag on the legato slider, from its middle upwards: its edits form one gesture.
        const RECT track = probe.Control("legatoSlider")->GetRect();
        const LONG x = (track.left + track.right) / 2, y = (track.top + track.bottom) / 2;
        const int before = model.params.legato;
        SendMessageW(page.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        for (LONG dy = 5; dy <= 20; dy += 5) {
            SendMessageW(page.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y - dy));
        }
        SendMessageW(page.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y - 20));
        EXPECT_GT(model.params.legato, before);
        const auto edits = std::count(model.calls.begin(), model.calls.end(), "edit");
        ASSERT_GE(edits, 2) << "the drag moved the slider more than once";
        EXPECT_EQ(model.calls.front(), "begin");
        EXPECT_EQ(model.calls.back(), "end");
        EXPECT_EQ(model.calls.size(), static_cast<size_t>(edits) + 2) << "one gesture";

        model.params.swing = 25;
        model.page->RefreshAllControls();
        EXPECT_EQ(probe.Control("swingBox")->GetValueText(), L"25%");
    }
    EXPECT_EQ(model.page, nullptr) << "a page that goes leaves its model";
}
