// The process-wide store of skin images, keyed by resource id and reference counted: two
// buttons showing the same strip share one loaded bitmap. Images are loaded from the resource
// module (CResourceModule) as DIB sections; "Image" and "PNG" resources are decoded through
// the Windows Imaging Component when no bitmap resource has the id.
// [ui thread] only; nothing is locked.
#pragma once

#include <cstdint>
#include <map>

#include "controls/win/Win32.h"

class CDC;

class CBitmapCache {
public:
    // How a 32-bit image uses its alpha bytes.
    enum AlphaClass : int {
        kAlphaUnknown = -1,  // not classified (yet)
        kAlphaBlended = -2,  // alpha varies: drawn blended, from a premultiplied form
        kAlphaUnused = 0,    // every alpha byte is 0: the image is opaque
        kAlphaOpaque = 1,    // every alpha byte is 255
    };

    static CBitmapCache& Instance();
    static void DeleteInstance();
    static bool HasInstance();

    virtual ~CBitmapCache();

    // Loads the image on its first reference, else counts one more. `opaque` non-zero gives a
    // new entry mode 2: it is always copied, never blended. False when the image cannot be
    // loaded; nothing is inserted then.
    bool AddRef(uint32_t resourceId, int opaque = 0);
    // 0 for an unknown id, else 1; the image goes with its last reference.
    int Release(uint32_t resourceId);
    // Copies the part at (sourceX, sourceY) to (x, y, width, height) of `dc`; `greyed` non-zero
    // draws a grey form, derived once and kept with the image. False for an unknown id.
    bool Draw(uint32_t resourceId, CDC& dc, int x, int y, int width, int height, int sourceX,
              int sourceY, int greyed);

    // What the cache holds, for its users and tests.
    bool Contains(uint32_t resourceId) const { return entries.count(resourceId) != 0; }
    int GetRefCount(uint32_t resourceId) const;
    HBITMAP GetBitmap(uint32_t resourceId) const;
    // The premultiplied form of a blended image, else null.
    HBITMAP GetAlphaForm(uint32_t resourceId) const;
    SIZE GetSize(uint32_t resourceId) const;
    int GetMode(uint32_t resourceId) const;
    int GetAlphaClass(uint32_t resourceId) const;
    size_t GetCount() const { return entries.size(); }
    size_t GetDerivedCount() const { return derived.size(); }

private:
    struct Entry {
        HBITMAP bitmap = nullptr;
        HBITMAP alphaForm = nullptr;
        int32_t refCount = 0;
        int32_t mode = 1;
        bool is32Bit = false;
        int alphaClass = kAlphaUnknown;
        SIZE size = {0, 0};
    };

    CBitmapCache() = default;
    static HBITMAP LoadImageResource(uint32_t resourceId);
    HBITMAP GreyForm(uint32_t resourceId, const Entry& entry);

    std::map<uint32_t, Entry> entries;
    // Images derived from an entry (its grey form), removed with it.
    std::map<uint32_t, HBITMAP> derived;
};
