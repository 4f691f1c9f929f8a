#include "controls/BitmapCache.h"

#include <cstring>
#include <memory>
#include <vector>

#include "controls/WicImageLoader.h"
#include "controls/win/DC.h"
#include "controls/win/ResourceModule.h"

namespace {

CBitmapCache* instance = nullptr;

// A process-wide buffer, allocated once: a zeroed 40-byte lead-in, then the header of a
// 32-bit top-down DIB, with room behind it for a colour table that GetDIBits may write.
constexpr size_t kInfoBufferSize = 1064;
constexpr size_t kHeaderOffset = 40;

BITMAPINFO* Info32(LONG width, LONG height) {
    static std::unique_ptr<uint8_t[]> buffer;
    if (!buffer) {
        buffer.reset(new uint8_t[kInfoBufferSize]());
    }
    std::memset(buffer.get(), 0, kInfoBufferSize);
    auto* info = reinterpret_cast<BITMAPINFO*>(buffer.get() + kHeaderOffset);
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = -height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 32;
    info->bmiHeader.biCompression = BI_RGB;
    return info;
}

// The pixels of a bitmap as 32-bit BGRA, top row first.
std::vector<uint32_t> ReadPixels(HBITMAP bitmap, SIZE size) {
    std::vector<uint32_t> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    HDC screen = CreateCompatibleDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.cy), pixels.data(),
                               Info32(size.cx, size.cy), DIB_RGB_COLORS);
    DeleteDC(screen);
    if (rows != size.cy) {
        pixels.clear();
    }
    return pixels;
}

HBITMAP MakeBitmap(const std::vector<uint32_t>& pixels, SIZE size) {
    void* bits = nullptr;
    HDC screen = CreateCompatibleDC(nullptr);
    HBITMAP bitmap =
        CreateDIBSection(screen, Info32(size.cx, size.cy), DIB_RGB_COLORS, &bits, nullptr, 0);
    DeleteDC(screen);
    if (bitmap) {
        std::memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
    }
    return bitmap;
}

int Classify(const std::vector<uint32_t>& pixels) {
    bool allZero = true;
    bool allFull = true;
    for (uint32_t pixel : pixels) {
        const uint32_t alpha = pixel >> 24;
        allZero = allZero && alpha == 0;
        allFull = allFull && alpha == 255;
    }
    if (allFull) {
        return CBitmapCache::kAlphaOpaque;
    }
    return allZero ? CBitmapCache::kAlphaUnused : CBitmapCache::kAlphaBlended;
}

// AlphaBlend with per-pixel alpha wants colour channels already multiplied by alpha.
std::vector<uint32_t> Premultiplied(std::vector<uint32_t> pixels) {
    for (uint32_t& pixel : pixels) {
        const uint32_t alpha = pixel >> 24;
        auto scale = [alpha](uint32_t channel) { return (channel * alpha + 127) / 255; };
        pixel = (alpha << 24) | (scale((pixel >> 16) & 0xFF) << 16) |
                (scale((pixel >> 8) & 0xFF) << 8) | scale(pixel & 0xFF);
    }
    return pixels;
}

std::vector<uint32_t> Greyed(std::vector<uint32_t> pixels) {
    for (uint32_t& pixel : pixels) {
        const uint32_t grey =
            (((pixel >> 16) & 0xFF) * 30 + ((pixel >> 8) & 0xFF) * 59 + (pixel & 0xFF) * 11) / 100;
        pixel = (pixel & 0xFF000000u) | (grey << 16) | (grey << 8) | grey;
    }
    return pixels;
}

}  // namespace

CBitmapCache& CBitmapCache::Instance() {
    if (!instance) {
        instance = new CBitmapCache();
    }
    return *instance;
}

void CBitmapCache::DeleteInstance() {
    delete instance;
    instance = nullptr;
}

bool CBitmapCache::HasInstance() { return instance != nullptr; }

CBitmapCache::~CBitmapCache() {
    for (auto& [id, entry] : entries) {
        DeleteObject(entry.bitmap);
        if (entry.alphaForm) {
            DeleteObject(entry.alphaForm);
        }
    }
    for (auto& [id, bitmap] : derived) {
        DeleteObject(bitmap);
    }
}

HBITMAP CBitmapCache::LoadImageResource(uint32_t resourceId) {
    HINSTANCE module = CResourceModule::Get();
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return bitmap ? bitmap : CWicImageLoader::LoadResourceImage(module, resourceId);
}

bool CBitmapCache::AddRef(uint32_t resourceId, int opaque) {
    auto found = entries.find(resourceId);
    if (found != entries.end()) {
        ++found->second.refCount;
        return true;
    }
    HBITMAP bitmap = LoadImageResource(resourceId);
    if (!bitmap) {
        return false;
    }
    BITMAP description = {};
    GetObjectW(bitmap, sizeof(description), &description);
    Entry entry;
    entry.bitmap = bitmap;
    entry.refCount = 1;
    entry.mode = opaque ? 2 : 1;
    entry.is32Bit = description.bmBitsPixel == 32;
    entry.size = {description.bmWidth, description.bmHeight};
    // Decoded images are plain 32-bit DIB sections too, so they are classified alike.
    if (entry.is32Bit && entry.mode == 1) {
        std::vector<uint32_t> pixels = ReadPixels(bitmap, entry.size);
        if (!pixels.empty()) {
            entry.alphaClass = Classify(pixels);
        }
        if (entry.alphaClass == kAlphaBlended) {
            entry.alphaForm = MakeBitmap(Premultiplied(std::move(pixels)), entry.size);
        }
    }
    entries.emplace(resourceId, entry);
    return true;
}

int CBitmapCache::Release(uint32_t resourceId) {
    auto found = entries.find(resourceId);
    if (found == entries.end()) {
        return 0;
    }
    Entry& entry = found->second;
    if (entry.refCount < 1) {
        return 1;
    }
    if (--entry.refCount == 0) {
        DeleteObject(entry.bitmap);
        if (entry.alphaForm) {
            DeleteObject(entry.alphaForm);
        }
        if (auto grey = derived.find(resourceId); grey != derived.end()) {
            DeleteObject(grey->second);
            derived.erase(grey);
        }
        entries.erase(found);
    }
    return 1;
}

HBITMAP CBitmapCache::GreyForm(uint32_t resourceId, const Entry& entry) {
    if (auto found = derived.find(resourceId); found != derived.end()) {
        return found->second;
    }
    std::vector<uint32_t> pixels =
        ReadPixels(entry.alphaForm ? entry.alphaForm : entry.bitmap, entry.size);
    HBITMAP grey = pixels.empty() ? nullptr : MakeBitmap(Greyed(std::move(pixels)), entry.size);
    if (grey) {
        derived.emplace(resourceId, grey);
    }
    return grey;
}

bool CBitmapCache::Draw(uint32_t resourceId, CDC& dc, int x, int y, int width, int height,
                        int sourceX, int sourceY, int greyed) {
    auto found = entries.find(resourceId);
    if (found == entries.end()) {
        return false;
    }
    const Entry& entry = found->second;
    HBITMAP source =
        greyed ? GreyForm(resourceId, entry) : (entry.alphaForm ? entry.alphaForm : entry.bitmap);
    if (!source) {
        return false;
    }
    CDC sourceDC;
    sourceDC.CreateCompatibleDC(dc.GetSafeHdc());
    HGDIOBJ previous = sourceDC.SelectObject(source);
    bool drawn = false;
    if (entry.alphaForm) {
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        drawn = AlphaBlend(dc.GetSafeHdc(), x, y, width, height, sourceDC.GetSafeHdc(), sourceX,
                           sourceY, width, height, blend) != 0;
    } else {
        drawn = dc.BitBlt(x, y, width, height, sourceDC.GetSafeHdc(), sourceX, sourceY, SRCCOPY);
    }
    sourceDC.SelectObject(previous);
    return drawn;
}

int CBitmapCache::GetRefCount(uint32_t resourceId) const {
    auto found = entries.find(resourceId);
    return found == entries.end() ? 0 : found->second.refCount;
}

HBITMAP CBitmapCache::GetBitmap(uint32_t resourceId) const {
    auto found = entries.find(resourceId);
    return found == entries.end() ? nullptr : found->second.bitmap;
}

HBITMAP CBitmapCache::GetAlphaForm(uint32_t resourceId) const {
    auto found = entries.find(resourceId);
    return found == entries.end() ? nullptr : found->second.alphaForm;
}

SIZE CBitmapCache::GetSize(uint32_t resourceId) const {
    auto found = entries.find(resourceId);
    return found == entries.end() ? SIZE{0, 0} : found->second.size;
}

int CBitmapCache::GetMode(uint32_t resourceId) const {
    auto found = entries.find(resourceId);
    return found == entries.end() ? 0 : found->second.mode;
}

int CBitmapCache::GetAlphaClass(uint32_t resourceId) const {
    auto found = entries.find(resourceId);
    return found == entries.end() ? kAlphaUnknown : found->second.alphaClass;
}
