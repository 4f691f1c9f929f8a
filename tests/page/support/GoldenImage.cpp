#include "support/GoldenImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "pagehost/PngFile.h"

namespace {

// A label's box: from one pixel left of where it is drawn, as high as the label font's 14
// pixels, and 7 pixels per character wide (Arial's average at that height) plus 4.
TextBox Label(const char* name, LONG x, LONG y, LONG characters) {
    return {name, {x - 1, y, x + 7 * characters + 4, y + 14}};
}

// A control's inside: its frame (or the slider's border) stays exact.
TextBox Inside(const char* name, RECT rect) {
    return {name, {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1}};
}

bool Close(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference =
            static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(difference) > kChannelTolerance) return false;
    }
    return true;
}

// Some pixel of `other` at most one pixel from (x, y) is close to `image`'s pixel there.
bool HasNearMatch(const RgbImage& image, const RgbImage& other, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int ox = x + dx, oy = y + dy;
            if (ox < 0 || oy < 0 || ox >= other.width || oy >= other.height) continue;
            if (Close(image.At(x, y), other.At(ox, oy))) return true;
        }
    }
    return false;
}

bool Inside(const RECT& area, int x, int y) {
    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

ImageMismatch CompareBox(const RgbImage& actual, const RgbImage& golden, const TextBox& box) {
    size_t unmatched = 0;
    for (int y = box.area.top; y < box.area.bottom; ++y) {
        for (int x = box.area.left; x < box.area.right; ++x) {
            if (!HasNearMatch(actual, golden, x, y) || !HasNearMatch(golden, actual, x, y)) {
                ++unmatched;
            }
        }
    }
    const auto area =
        static_cast<size_t>((box.area.right - box.area.left) * (box.area.bottom - box.area.top));
    return {box.name, unmatched, std::max(kMinUnmatched, area / kAreaPerUnmatched)};
}

size_t DifferingOutside(const RgbImage& actual, const RgbImage& golden,
                        const std::vector<TextBox>& boxes) {
    size_t differing = 0;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const bool inText = std::any_of(boxes.begin(), boxes.end(), [x, y](const TextBox& b) {
                return Inside(b.area, x, y);
            });
            if (!inText && actual.At(x, y) != golden.At(x, y)) ++differing;
        }
    }
    return differing;
}

// Differences in white on a darkened copy of the picture, so that they show where they are.
RgbImage DifferenceMap(const RgbImage& actual, const RgbImage& golden) {
    RgbImage map(actual.width, actual.height);
    for (size_t i = 0; i < map.pixels.size(); ++i) {
        map.pixels[i] =
            actual.pixels[i] == golden.pixels[i] ? (actual.pixels[i] >> 2) & 0x3F3F3F : 0xFFFFFF;
    }
    return map;
}

// The build hands Unix paths; Wine shows the Unix root as drive Z:.
std::filesystem::path FromBuild(const char* unixPath) {
    const std::string path(unixPath);
    return std::filesystem::path(path.starts_with('/') ? "Z:" + path : path);
}

std::filesystem::path GoldenPath(const std::string& name) {
    return FromBuild(ARP_PAGE_GOLDEN_DIR) / (name + ".png");
}

void KeepForInspection(const RgbImage& actual, const RgbImage& golden, const std::string& name) {
    const std::filesystem::path folder = FromBuild(ARP_PAGE_ARTIFACTS_DIR);
    std::filesystem::create_directories(folder);
    WritePng(folder / (name + "-actual.png"), actual);
    if (golden.width == actual.width && golden.height == actual.height) {
        WritePng(folder / (name + "-differences.png"), DifferenceMap(actual, golden));
    }
    ADD_FAILURE() << "the rendered page differs from " << GoldenPath(name).string() << "; see "
                  << (folder / (name + "-actual.png")).string()
                  << " and -differences.png beside it. To accept the new picture after a "
                     "deliberate change: ARP_UPDATE_GOLDEN=1 (tests/page/golden/README.md)";
}

// COM for the imaging component, for one comparison; a thread that already has it keeps it.
class ComForImaging {
public:
    ComForImaging() : started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComForImaging() {
        if (started) CoUninitialize();
    }
    ComForImaging(const ComForImaging&) = delete;
    ComForImaging& operator=(const ComForImaging&) = delete;

private:
    bool started;
};

std::vector<ImageMismatch> CompareWithTolerance(const RgbImage& actual, const RgbImage& golden,
                                                const std::vector<TextBox>& boxes) {
    if (actual.width != golden.width || actual.height != golden.height) {
        return {{"size", actual.pixels.size(), golden.pixels.size()}};
    }
    std::vector<ImageMismatch> mismatches;
    if (const size_t outside = DifferingOutside(actual, golden, boxes)) {
        mismatches.push_back({"outside the text boxes", outside, 0});
    }
    for (const TextBox& box : boxes) {
        ImageMismatch result = CompareBox(actual, golden, box);
        if (result.pixels > result.allowed) mismatches.push_back(result);
    }
    return mismatches;
}

}  // namespace

const std::vector<TextBox>& DefaultTextBoxes() {
    static const std::vector<TextBox> boxes = {
        Label("Play Through", 188, 118, 12),
        Label("Units:", 168, 32, 6),
        Label("Path:", 168, 64, 5),
        Label("Rate", 280, 33, 4),
        Label("Legato", 319, 33, 6),
        Label("Swing", 362, 33, 5),
        Label("Output", 416, 33, 6),
        Label("Chord", 464, 33, 5),
        Label("Recognized", 524, 33, 10),
        Label("Chord (display)", 536, 46, 5),
        Inside("unitsDropDown", {168, 46, 258, 59}),
        Inside("pathDropDown", {168, 78, 258, 91}),
        Inside("rateSlider", {276, 61, 310, 141}),
        Inside("legatoSlider", {318, 61, 352, 141}),
        Inside("swingSlider", {360, 61, 394, 141}),
        Inside("rateBox", {276, 47, 310, 60}),
        Inside("legatoBox", {318, 47, 352, 60}),
        Inside("swingBox", {360, 47, 394, 60}),
        Inside("outputLowBox", {412, 143, 454, 156}),
        Inside("outputHighBox", {412, 47, 454, 60}),
        Inside("chordLowBox", {458, 143, 500, 156}),
        Inside("chordHighBox", {458, 47, 500, 60}),
        Inside("chordDisplay", {518, 61, 588, 144}),
    };
    return boxes;
}

void ExpectMatchesGolden(const RgbImage& actual, const std::string& name,
                         const std::vector<TextBox>& boxes) {
    ComForImaging com;
    if (std::getenv("ARP_UPDATE_GOLDEN") != nullptr) {
        WritePng(GoldenPath(name), actual);
        std::cout << "rewrote " << GoldenPath(name).string() << "\n";
        return;
    }
    RgbImage golden;
    try {
        golden = ReadPng(GoldenPath(name));
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what() << " (ARP_UPDATE_GOLDEN=1 writes it)";
        return;
    }
    const std::vector<ImageMismatch> mismatches = CompareWithTolerance(actual, golden, boxes);
    for (const ImageMismatch& m : mismatches) {
        ADD_FAILURE() << name << ": " << m.where << ": " << m.pixels << " pixels differ ("
                      << m.allowed << " allowed)";
    }
    if (!mismatches.empty()) KeepForInspection(actual, golden, name);
}
