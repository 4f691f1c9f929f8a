// Renders a window with a few controls and checks some of its pixels. With the environment
// variable ARP_TOOLKIT_SNAPSHOT set to a file name, the window is also written there as a BMP,
// for a person to look at (convert it to PNG with ImageMagick).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "TestResourceIds.h"
#include "controls/BitmapCache.h"
#include "controls/win/DC.h"
#include "support/Pixels.h"
#include "support/TestHost.h"

namespace {

// A control that shows a frame of a cached bitmap strip: the one its value selects.
class StripControl : public TestControl {
public:
    StripControl(CNWControlSite& owner, std::vector<std::string>& sharedLog)
        : TestControl(owner, sharedLog, 0) {
        CBitmapCache::Instance().AddRef(IDB_TEST_STRIP);
    }
    ~StripControl() override { CBitmapCache::Instance().Release(IDB_TEST_STRIP); }
    void Draw(CDC& dc) override {
        const int frame = value < 0.34 ? 0 : (value < 0.67 ? 1 : 2);
        CBitmapCache::Instance().Draw(IDB_TEST_STRIP, dc, rect.left, rect.top, 4, 4, frame * 4, 0,
                                      !IsEnabled());
        CNWControl::Draw(dc);
    }
};

}  // namespace

TEST(Snapshot, AWindowWithControlsDrawsEachWhereItBelongs) {
    TestHost host;
    TestControl* rate = host.Add({10, 20, 50, 100}, RGB(40, 90, 200));
    rate->SetName(L"Rate");
    rate->SetValue(0.75, 0, 0);
    NWControlStyle focusFrame = NWControlStyle::Defaults();
    focusFrame.SetOption(NWControlStyle::kFocusFrame, 1);
    focusFrame.fieldMask = 1u << 9;
    rate->SetStyle(focusFrame);
    TestControl* legato = host.Add({60, 20, 100, 100}, RGB(30, 150, 60));
    legato->SetName(L"Legato Length");
    legato->SetValue(0.3, 0, 0);
    TestControl* swing = host.Add({110, 20, 150, 100}, RGB(170, 60, 40));
    swing->SetName(L"Swing");
    swing->SetValue(0.5, 0, 0);
    swing->SetCornerMark(1);
    auto* strip = new StripControl(host, host.log);
    strip->SetRect({170, 20, 174, 24});
    strip->SetValue(0.5, 0, 0);
    host.AddControl(strip, 1, 0);
    auto* greyed = new StripControl(host, host.log);
    greyed->SetRect({180, 20, 184, 24});
    greyed->SetValue(0.0, 0, 0);
    greyed->SetEnabled(false);
    host.AddControl(greyed, 1, 0);
    host.Mouse(WM_LBUTTONDOWN, 30, 60);  // rate gets the focus display
    host.Mouse(WM_LBUTTONUP, 30, 60);

    HWND window = host.GetSafeHwnd();
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    PixelCanvas shot(TestHost::kWidth, TestHost::kHeight, RGB(9, 9, 9));
    HDC windowDC = GetDC(window);
    shot.Dc().BitBlt(0, 0, TestHost::kWidth, TestHost::kHeight, windowDC, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDC);
    if (const char* path = std::getenv("ARP_TOOLKIT_SNAPSHOT")) {
        EXPECT_TRUE(shot.SaveBmp(std::wstring(path, path + std::strlen(path))));
    }

    EXPECT_EQ(shot.At(5, 5), host.background);
    EXPECT_EQ(shot.At(12, 30), RGB(40, 90, 200)) << "rate above its bar";
    EXPECT_EQ(shot.At(30, 90), rate->BarColor()) << "rate's bar, three quarters high";
    EXPECT_EQ(shot.At(62, 90), legato->BarColor());
    EXPECT_EQ(shot.At(62, 60), RGB(30, 150, 60));
    EXPECT_EQ(shot.At(110, 20), RGB(255, 0, 0)) << "swing's corner mark";
    int dotted = 0;
    for (int x = 11; x < 49; ++x) {
        dotted += shot.At(x, 21) != RGB(40, 90, 200) ? 1 : 0;
    }
    EXPECT_GT(dotted, 10) << "rate shows the focus frame one pixel inside its rectangle";
    EXPECT_EQ(shot.At(171, 21), RGB(0, 255, 0)) << "middle frame of the strip";
    EXPECT_EQ(shot.At(181, 21), RGB(76, 76, 76)) << "disabled: grey form of the first frame";
}
