// The ten labels, read back from the page's pixels: each is found where the layout puts it
// (by trying every position near it and keeping the one at which the label, drawn alone on
// the skin as the page draws it, matches the page exactly), which the golden pictures allow a
// pixel either way. The comparison is exact over the skin around the letters, so a
// label with a background of its own would not match either.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/win/ResourceModule.h"
#include "guisupport/PixelCanvas.h"
#include "resources/ResourceIds.h"
#include "support/PagePicture.h"

namespace {

struct Label {
    const wchar_t* text;
    POINT at;
};

constexpr COLORREF kTextColor = 0x00FCB8BA;
constexpr int kSearch = 3;  // pixels tried on each side of the expected place

const std::vector<Label> kDefaultLabels = {
    {L"Play Through", {188, 118}}, {L"Units:", {168, 32}}, {L"Path:", {168, 64}},
    {L"Rate", {280, 33}},          {L"Legato", {319, 33}}, {L"Swing", {362, 33}},
    {L"Output", {416, 33}},        {L"Chord", {464, 33}},  {L"Recognized", {524, 33}},
    {L"Chord", {536, 46}},
};

// The skin resource, loaded once for the whole program.
HBITMAP Skin() {
    static auto* const skin =
        static_cast<HBITMAP>(LoadImageW(CResourceModule::Get(), MAKEINTRESOURCEW(IDB_PAGE_SKIN),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return skin;
}

// The skin alone with `labels` drawn on it in the page's font and colour, without a
// background, as the page draws them.
RgbImage SkinWithLabels(const PageHarness& h, const std::vector<Label>& labels) {
    PixelCanvas canvas(kPageSize.cx, kPageSize.cy, 0);
    CDC skin;
    skin.CreateCompatibleDC(canvas.Dc().GetSafeHdc());
    HGDIOBJ previous = skin.SelectObject(Skin());
    canvas.Dc().BitBlt(0, 0, kPageSize.cx, kPageSize.cy, skin.GetSafeHdc(), 0, 0, SRCCOPY);
    skin.SelectObject(previous);
    canvas.Dc().SelectObject(h.probe.LabelFont());
    canvas.Dc().SetTextColor(kTextColor);
    canvas.Dc().SetBkMode(TRANSPARENT);
    for (const Label& label : labels) canvas.Dc().TextOut(label.at.x, label.at.y, label.text);
    RgbImage image(kPageSize.cx, kPageSize.cy);
    const std::vector<uint32_t> pixels = canvas.Pixels();
    for (size_t i = 0; i < pixels.size(); ++i) image.pixels[i] = pixels[i] & 0x00FFFFFF;
    return image;
}

// Pixels that differ around where `label` lies, leaving out the controls (drawn over labels).
size_t DifferingAround(const RgbImage& page, const RgbImage& expected, const PageHarness& h,
                       const Label& label) {
    CDC measure;
    measure.CreateCompatibleDC(nullptr);
    measure.SelectObject(h.probe.LabelFont());
    const SIZE extent = measure.GetTextExtent(label.text);
    const RECT around = {label.at.x - kSearch - 2, label.at.y - kSearch,
                         label.at.x + extent.cx + kSearch + 2, label.at.y + extent.cy + kSearch};
    size_t differing = 0;
    for (LONG y = std::max(around.top, 0L); y < std::min(around.bottom, kPageSize.cy); ++y) {
        for (LONG x = std::max(around.left, 0L); x < std::min(around.right, kPageSize.cx); ++x) {
            bool underControl = false;
            for (CNWControl* control : h.view.GetControls()) {
                RECT r = control->GetRect();
                InflateRect(&r, 1, 1);
                underControl = underControl || PtInRect(&r, {x, y});
            }
            if (!underControl && page.At(x, y) != expected.At(x, y)) ++differing;
        }
    }
    return differing;
}

// Where label `index` of `labels` is drawn on `page`: the one place near its expected place
// at which it matches exactly; {-1, -1} when there is none, or more than one.
POINT FindLabel(const PageHarness& h, const RgbImage& page, std::vector<Label> labels,
                size_t index) {
    const POINT expected = labels[index].at;
    POINT found = {-1, -1};
    int matches = 0;
    for (int dy = -kSearch; dy <= kSearch; ++dy) {
        for (int dx = -kSearch; dx <= kSearch; ++dx) {
            labels[index].at = {expected.x + dx, expected.y + dy};
            if (DifferingAround(page, SkinWithLabels(h, labels), h, labels[index]) != 0) continue;
            found = labels[index].at;
            ++matches;
        }
    }
    return matches == 1 ? found : POINT{-1, -1};
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

void ExpectLabelsAt(const PageHarness& h, const std::vector<Label>& labels) {
    const RgbImage page = PrintPage(h);
    for (size_t i = 0; i < labels.size(); ++i) {
        SCOPED_TRACE(testing::Message()
                     << "label " << i << ", \"" << Narrow(labels[i].text) << "\"");
        const POINT found = FindLabel(h, page, labels, i);
        EXPECT_EQ(found.x, labels[i].at.x);
        EXPECT_EQ(found.y, labels[i].at.y);
    }
}

}  // namespace

TEST(PageLabels, EachLabelIsDrawnExactlyWhereTheLayoutPutsIt) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    ExpectLabelsAt(h, kDefaultLabels);
}
