// The filter's settings through an object that COM created and the system's own memory streams:
// what the native persistence tests cannot show with their stream double. The byte layout, the
// page list and every way a stream can fail are theirs; they also run under Wine, in
// arp_unit_tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ModuleUnderTest.h"
#include "engine/HostInterfaces.h"
#include "engine/InterfaceIds.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t kShortForm = 52, kEnabledAt = 72;

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

// The stream's whole memory, read through its HGLOBAL rather than through the stream.
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

ComRef<IPersistStream> CreateFilter() {
    IPersistStream* filter = nullptr;
    EXPECT_EQ(CoCreateInstance(ids::ArpeggiatorFilter, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IPersistStream, reinterpret_cast<void**>(&filter)),
              S_OK);
    return ComRef<IPersistStream>(filter);
}

Bytes SavedImage(IPersistStream* filter) {
    ComRef<IStream> stream = StreamHolding({});
    EXPECT_EQ(filter->Save(stream.get(), TRUE), S_OK);
    return ContentOf(stream.get());
}

HRESULT LoadImage(IPersistStream* filter, const Bytes& image) {
    return filter->Load(StreamHolding(image).get());
}

// SetPluginEnabled of the filter's enable face.
HRESULT SetPluginEnabled(IPersistStream* filter, VARIANT_BOOL request) {
    void* face = Sentinel();
    EXPECT_EQ(filter->QueryInterface(ids::VeskarEnablePlugin, &face), S_OK);
    ComRef<IVeskarEnablePlugin> enable(static_cast<IVeskarEnablePlugin*>(face));
    return enable ? enable->SetPluginEnabled(request) : E_NOINTERFACE;
}

}  // namespace

// The system's memory stream reports a short read with S_OK and the count it moved: the filter
// takes 76 bytes and the 52-byte short form that way, and refuses any other count untouched.
// SetPluginEnabled leaves the stored bypass as it is, either way.
TEST(PersistThroughCom, SettingsTravelThroughMemoryStreamsInBothForms) {
    ComRef<IPersistStream> source = CreateFilter(), target = CreateFilter();
    ASSERT_TRUE(source && target);
    const Bytes fresh = SavedImage(source.get());
    ASSERT_EQ(fresh.size(), 76u);
    Bytes stored = fresh;  // every setting changed (first byte of each field), bypassed
    for (size_t offset = 0; offset < kShortForm; offset += 4) stored[offset] ^= 0x40;
    stored[kEnabledAt] = 0;
    EXPECT_EQ(LoadImage(target.get(), stored), S_OK);
    EXPECT_EQ(SavedImage(target.get()), stored);

    EXPECT_EQ(SetPluginEnabled(source.get(), VARIANT_FALSE), S_OK);
    EXPECT_EQ(SavedImage(source.get()), fresh);
    EXPECT_EQ(SetPluginEnabled(target.get(), VARIANT_TRUE), S_OK);
    EXPECT_EQ(SavedImage(target.get()), stored);

    EXPECT_EQ(LoadImage(target.get(), Bytes(fresh.begin(), fresh.begin() + 60)), E_FAIL);
    EXPECT_EQ(SavedImage(target.get()), stored);
    Bytes shortLoaded = stored;
    std::copy(fresh.begin(), fresh.begin() + kShortForm, shortLoaded.begin());
    EXPECT_EQ(LoadImage(target.get(), Bytes(fresh.begin(), fresh.begin() + kShortForm)), S_OK);
    EXPECT_EQ(SavedImage(target.get()), shortLoaded) << "the short form keeps `enabled`";
}
