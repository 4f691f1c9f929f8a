// The filter's settings, pages and enable switch through objects that COM created, with the
// system's own memory streams.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "ModuleUnderTest.h"
#include "engine/HostInterfaces.h"
#include "engine/InterfaceIds.h"

namespace {

using Bytes = std::vector<uint8_t>;

// What a fresh filter saves: 24, 24, 36, 60, swing 10, milliseconds, 1/32, up-down, 100 ms,
// legato 50, three flags, the format tag, version 1, reserved 0, enabled.
// clang-format off
const Bytes kFreshImage = {
    0x18, 0, 0, 0,  0x18, 0, 0, 0,  0x24, 0, 0, 0,  0x3C, 0, 0, 0,
    0x0A, 0, 0, 0,  0x02, 0, 0, 0,  0x00, 0, 0, 0,  0x00, 0, 0, 0,
    0x64, 0, 0, 0,  0x32, 0, 0, 0,  0x00, 0, 0, 0,  0x00, 0, 0, 0,
    0x01, 0, 0, 0,
    0xFF, 0x51, 0x81, 0x3F, 0x01, 0x0F, 0x54, 0x4A, 0x90, 0x30, 0x83, 0x61, 0xFE, 0xFA, 0xAB, 0xFD,
    0x01, 0x00,  0x00, 0x00,
    0x01, 0, 0, 0,
};
// clang-format on

constexpr size_t kEnabledOffset = 72;
constexpr size_t kVersionOffset = 68;

Bytes WithByte(Bytes image, size_t offset, uint8_t value) {
    image[offset] = value;
    return image;
}

Bytes Head(const Bytes& image, size_t count) { return Bytes(image.begin(), image.begin() + count); }

// Every setting changed (first byte of each field) and bypassed.
Bytes StoredImage() {
    Bytes image = kFreshImage;
    for (size_t offset = 0; offset < 52; offset += 4)
        image[offset] = static_cast<uint8_t>(offset + 3);
    image[kEnabledOffset] = 0;
    return image;
}

ComRef<IStream> StreamHolding(const Bytes& content) {
    IStream* stream = nullptr;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    if (stream == nullptr) return nullptr;
    ULONG written = 0;
    if (!content.empty()) {
        EXPECT_EQ(stream->Write(content.data(), static_cast<ULONG>(content.size()), &written),
                  S_OK);
    }
    LARGE_INTEGER start{};
    EXPECT_EQ(stream->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
    return ComRef<IStream>(stream);
}

Bytes ContentOf(IStream* stream) {
    STATSTG stat{};
    EXPECT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    HGLOBAL memory = nullptr;
    EXPECT_EQ(GetHGlobalFromStream(stream, &memory), S_OK);
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(memory));
    Bytes content(bytes, bytes + stat.cbSize.QuadPart);
    GlobalUnlock(memory);
    return content;
}

template <typename Interface>
ComRef<Interface> CreateFilter(REFIID iid) {
    Interface* filter = nullptr;
    EXPECT_EQ(CoCreateInstance(ids::ArpeggiatorFilter, nullptr, CLSCTX_INPROC_SERVER, iid,
                               reinterpret_cast<void**>(&filter)),
              S_OK);
    return ComRef<Interface>(filter);
}

Bytes SavedImage(IPersistStream* filter) {
    ComRef<IStream> stream = StreamHolding({});
    EXPECT_EQ(filter->Save(stream.get(), TRUE), S_OK);
    return ContentOf(stream.get());
}

HRESULT LoadImage(IPersistStream* filter, const Bytes& image) {
    ComRef<IStream> stream = StreamHolding(image);
    return filter->Load(stream.get());
}

}  // namespace

TEST(PersistThroughCom, FreshFilterSavesTheDefaultImageAndReportsItsIdentity) {
    ComRef<IPersistStream> filter = CreateFilter<IPersistStream>(IID_IPersistStream);
    ASSERT_TRUE(filter);
    EXPECT_EQ(SavedImage(filter.get()), kFreshImage);

    CLSID clsid;
    std::memset(&clsid, 0x55, sizeof clsid);
    EXPECT_EQ(filter->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, ids::ArpeggiatorFilter);
    ULARGE_INTEGER size;
    size.QuadPart = 0xdeadbeefdeadbeefull;
    EXPECT_EQ(filter->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 76u);
    EXPECT_EQ(filter->IsDirty(), S_FALSE);

    void* persist = Sentinel();
    EXPECT_EQ(filter->QueryInterface(IID_IPersist, &persist), E_NOINTERFACE);
    EXPECT_EQ(persist, nullptr);
}

TEST(PersistThroughCom, SavedSettingsLoadIntoANewFilterUnchanged) {
    ComRef<IPersistStream> source = CreateFilter<IPersistStream>(IID_IPersistStream);
    ComRef<IPersistStream> target = CreateFilter<IPersistStream>(IID_IPersistStream);
    ASSERT_TRUE(source && target);
    ASSERT_EQ(LoadImage(source.get(), StoredImage()), S_OK);
    const Bytes saved = SavedImage(source.get());
    EXPECT_EQ(saved, StoredImage());

    EXPECT_EQ(LoadImage(target.get(), saved), S_OK);
    EXPECT_EQ(SavedImage(target.get()), saved);
    EXPECT_EQ(target->IsDirty(), S_FALSE);
}

// Each stream is loaded into a filter holding StoredImage (bypassed); what the filter then saves
// is its whole block.
TEST(PersistThroughCom, LoadTakesBothFormsAndARejectedStreamChangesNothing) {
    const Bytes previous = StoredImage();
    const Bytes fresh = kFreshImage;
    Bytes shortLoaded = previous;
    std::copy(fresh.begin(), fresh.begin() + 52, shortLoaded.begin());
    struct Case {
        const char* name;
        Bytes content;
        HRESULT expected;
        Bytes expectedBlock;
    };
    const Case cases[] = {
        {"76 bytes", fresh, S_OK, fresh},
        {"52-byte short form keeps enabled", Head(fresh, 52), S_OK, shortLoaded},
        {"version 2", WithByte(fresh, kVersionOffset, 2), S_OK, WithByte(fresh, kVersionOffset, 2)},
        {"60 bytes", Head(fresh, 60), E_FAIL, previous},
        {"empty", {}, E_FAIL, previous},
        {"wrong tag", WithByte(fresh, 60, 0x00), E_FAIL, previous},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComRef<IPersistStream> filter = CreateFilter<IPersistStream>(IID_IPersistStream);
        ASSERT_TRUE(filter);
        ASSERT_EQ(LoadImage(filter.get(), previous), S_OK);
        EXPECT_EQ(LoadImage(filter.get(), c.content), c.expected);
        EXPECT_EQ(SavedImage(filter.get()), c.expectedBlock);
    }
}

TEST(PersistThroughCom, GetPagesNamesTheEditorPageOnly) {
    ComRef<ISpecifyPropertyPages> filter =
        CreateFilter<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
    ASSERT_TRUE(filter);
    CAUUID pages;
    pages.cElems = 0xdeadbeef;
    pages.pElems = static_cast<GUID*>(Sentinel());

    ASSERT_EQ(filter->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 1u);
    ASSERT_NE(pages.pElems, nullptr);
    EXPECT_EQ(pages.pElems[0], ids::ArpeggiatorPropPage);
    CoTaskMemFree(pages.pElems);
}

TEST(PersistThroughCom, SetPluginEnabledNeverChangesTheStoredBypass) {
    struct Case {
        const char* name;
        uint8_t enabled;
        VARIANT_BOOL request;
    };
    const Case cases[] = {
        {"bypassed, asked to enable", 0, VARIANT_TRUE},
        {"bypassed, asked to disable", 0, VARIANT_FALSE},
        {"enabled, asked to disable", 1, VARIANT_FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComRef<IPersistStream> filter = CreateFilter<IPersistStream>(IID_IPersistStream);
        ASSERT_TRUE(filter);
        const Bytes image = WithByte(kFreshImage, kEnabledOffset, c.enabled);
        ASSERT_EQ(LoadImage(filter.get(), image), S_OK);

        void* face = Sentinel();
        ASSERT_EQ(filter->QueryInterface(ids::VeskarEnablePlugin, &face), S_OK);
        ComRef<IVeskarEnablePlugin> enable(static_cast<IVeskarEnablePlugin*>(face));
        EXPECT_EQ(enable->SetPluginEnabled(c.request), S_OK);
        EXPECT_EQ(SavedImage(filter.get()), image);
    }
}
