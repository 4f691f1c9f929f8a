// No flicker: across a hundred recognised chords, each of which repaints the whole page, the
// only drawing that reaches the window is one copy of the finished picture per paint (every
// drawing call of the page and the toolkit is watched through the program's import table),
// the background is never erased, and every picture the screen shows has its controls.
// Repainting holds no more GDI objects afterwards than before.
#include <gtest/gtest.h>

#include <string>

#include "guisupport/PixelCanvas.h"
#include "guisupport/RealInput.h"
#include "paint/ChordOnPage.h"
#include "support/DrawCallLog.h"
#include "support/PagePicture.h"

namespace {

constexpr int kChords = 100;
const std::wstring kChordCycle[] = {L"C Maj Root", L"A Min Root", L"G 7 1st inversion",
                                    L"F Maj7 Root"};

// What the window shows, copied from its device context.
std::vector<uint32_t> WindowPixels(HWND window) {
    PixelCanvas canvas(kPageSize.cx, kPageSize.cy, 0);
    canvas.CopyWindow(window);
    return canvas.Pixels();
}

// The window's messages seen on their way in: how many paints and requests to erase the
// background, and how many of those requests changed a pixel (the page's own handler or the
// system's default erase, which the import table does not see).
class PaintWatch {
public:
    explicit PaintWatch(HWND watched) : window(watched) {
        current = this;
        original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintWatch::Proc)));
    }
    ~PaintWatch() {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        current = nullptr;
    }
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    int paints = 0;
    int erases = 0;
    int erasesThatDrew = 0;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_ERASEBKGND) {
            current->paints += message == WM_PAINT ? 1 : 0;
            return CallWindowProcW(current->original, window, message, wParam, lParam);
        }
        ++current->erases;
        const std::vector<uint32_t> before = WindowPixels(window);
        const LRESULT result = CallWindowProcW(current->original, window, message, wParam, lParam);
        current->erasesThatDrew += WindowPixels(window) != before ? 1 : 0;
        return result;
    }

    static inline PaintWatch* current = nullptr;
    HWND window;
    WNDPROC original = nullptr;
};

// The frames of the chord display and the Rate box, and the chord display's text: what a
// picture without its controls would lack.
bool ShowsControls(const RgbImage& screen, const PageHarness& h) {
    constexpr uint32_t kFrame = 0x7670BC;  // frameColor as 0x00RRGGBB
    const RECT display = h["chordDisplay"]->GetRect();
    const RECT rate = h["rateBox"]->GetRect();
    const uint32_t middle = screen.At((display.left + display.right) / 2, display.top + 1);
    bool text = false;
    for (LONG y = display.top + 1; y < display.bottom - 1 && !text; ++y) {
        for (LONG x = display.left + 1; x < display.right - 1 && !text; ++x) {
            text = screen.At(x, y) != middle;
        }
    }
    return screen.At(display.left, display.top + 10) == kFrame &&
           screen.At(rate.left + 10, rate.top) == kFrame && text;
}

}  // namespace

TEST(PageFlicker, AHundredChordsReachTheWindowAsOneFinishedCopyEach) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    ASSERT_TRUE(ShowChord(h, kChordCycle[0]));
    ReleaseChord(h, kChordCycle[0]);
    PaintWatch watch(h.Window());
    DrawCallLog log(h.Window());
    int picturesWithoutControls = 0;
    for (int i = 1; i <= kChords; ++i) {
        const std::wstring& chord = kChordCycle[i % 4];
        ASSERT_TRUE(ShowChord(h, chord)) << "chord " << i;
        picturesWithoutControls += ShowsControls(ScreenPage(h), h) ? 0 : 1;
        ReleaseChord(h, chord);
    }
    EXPECT_EQ(watch.paints, kChords) << "one full repaint per chord";
    EXPECT_EQ(watch.erases, kChords) << "each full repaint asks to erase first";
    EXPECT_EQ(watch.erasesThatDrew, 0) << "the background was erased on the screen";
    EXPECT_EQ(picturesWithoutControls, 0);
    EXPECT_GT(log.AllCalls(), static_cast<size_t>(10 * kChords)) << "the recorder saw no drawing";
    ASSERT_EQ(log.WindowCalls().size(), static_cast<size_t>(kChords));
    const RECT client = h.view.GetClientRect();
    for (const DrawCallLog::Call& call : log.WindowCalls()) {
        EXPECT_EQ(call.function, "BitBlt");
        EXPECT_EQ(call.rop, static_cast<DWORD>(SRCCOPY));
        EXPECT_TRUE(EqualRect(&call.area, &client)) << "the copy covers the whole page";
    }
}

// Each paint makes two device contexts, a bitmap and a pen, and must give all of them back,
// whether it covers the page or only the chord display.
TEST(PageFlicker, RepaintsLeaveNoGdiObjectsBehind) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    ASSERT_TRUE(ShowChord(h, kChordCycle[2]));
    const RECT display = h["chordDisplay"]->GetRect();
    const size_t before = LiveGdiObjects();
    for (int i = 0; i < kChords; ++i) {
        InvalidateRect(h.Window(), nullptr, TRUE);
        h.Paint();
        InvalidateRect(h.Window(), &display, TRUE);
        h.Paint();
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}
