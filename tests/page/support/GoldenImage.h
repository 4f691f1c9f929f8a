// The page's golden images (tests/page/golden/, see its README): a rendered page is compared
// with its golden picture exactly, except inside the boxes where text is drawn, where fonts
// and their rasterisers differ between machines. Inside a text box a pixel matches when a
// pixel of the other picture at most one pixel away has every channel within
// `kChannelTolerance`, and a box passes with at most max(`kMinUnmatched`, area /
// `kAreaPerUnmatched`) unmatched pixels.
// ARP_UPDATE_GOLDEN=1 in the environment rewrites the golden pictures instead of comparing.
// [ui thread]
#pragma once

#include <string>
#include <vector>

#include "pagehost/RgbImage.h"
#include "platform/ComTypes.h"

inline constexpr int kChannelTolerance = 40;
inline constexpr size_t kMinUnmatched = 4;
inline constexpr size_t kAreaPerUnmatched = 200;

struct TextBox {
    const char* name;
    RECT area;
};

// Where the default layout draws text: the ten labels and the text of the drop-downs, value
// boxes, chord display and single sliders (inside their frames, which are compared exactly).
const std::vector<TextBox>& DefaultTextBoxes();

struct ImageMismatch {
    std::string where;  // a text box's name, "outside the text boxes" or "size"
    size_t pixels;      // unmatched (in a box) or differing (outside) pixels
    size_t allowed;
};

// Compares `actual` with golden/`name`.png (or rewrites it, see above) and fails the test
// with every mismatch; the picture and a map of its differences then go to the artifacts
// folder of the build, named in the failure.
void ExpectMatchesGolden(const RgbImage& actual, const std::string& name,
                         const std::vector<TextBox>& boxes = DefaultTextBoxes());
