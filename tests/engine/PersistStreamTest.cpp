// The filter's stored settings through IPersistStream: the exact 76-byte image, the 52-byte
// short form of older projects, every way a stream can fail or lie, the page refresh after a
// load, and the page naming face.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "engine/Arpeggiator.h"
#include "engine/InterfaceIds.h"
#include "host/HostObjects.h"
#include "shell/MidiFilterFactory.h"
#include "shell/ModuleCounters.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr HRESULT kReadFault = static_cast<HRESULT>(0x8003001Eu);   // STG_E_READFAULT
constexpr HRESULT kMediumFull = static_cast<HRESULT>(0x80030070u);  // STG_E_MEDIUMFULL

// What a fresh filter saves, spelled out rather than derived from the defaults it checks.
// clang-format off
const Bytes kFreshImage = {
    0x18, 0, 0, 0,  0x18, 0, 0, 0,  0x24, 0, 0, 0,  0x3C, 0, 0, 0,  // window 24+24, range 36+60
    0x0A, 0, 0, 0,  0x02, 0, 0, 0,  0x00, 0, 0, 0,  0x00, 0, 0, 0,  // swing 10, ms, 1/32, up-down
    0x64, 0, 0, 0,  0x32, 0, 0, 0,  0x00, 0, 0, 0,  0x00, 0, 0, 0,  // 100 ms, legato 50, off, off
    0x01, 0, 0, 0,                                                  // keepInRange
    0xFF, 0x51, 0x81, 0x3F, 0x01, 0x0F, 0x54, 0x4A,                 // format tag
    0x90, 0x30, 0x83, 0x61, 0xFE, 0xFA, 0xAB, 0xFD,
    0x01, 0x00,  0x00, 0x00,                                        // version 1, reserved
    0x01, 0, 0, 0,                                                  // enabled
};
// clang-format on

Bytes ToBytes(const ArpeggiatorParams& params) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&params);
    return Bytes(bytes, bytes + sizeof params);
}

// A stored block unlike the defaults in every field.
ArpeggiatorParams StoredParams() {
    ArpeggiatorParams params = DefaultArpeggiatorParams();
    params.leftHandBottom = 40;
    params.leftHandSpan = 12;
    params.arpBottom = 48;
    params.arpSpan = 24;
    params.swing = -30;
    params.rateUnits = kRateNotes;
    params.noteValue = 7;
    params.pathDirection = kPathDownDown;
    params.rateAmount = 250;
    params.legato = 90;
    params.playOriginals = 1;
    params.leftHandWindowOn = 1;
    params.keepInRange = 0;
    params.reserved[0] = 0x11;
    params.reserved[1] = 0x22;
    return params;
}

// The block a filter holds before the load under test: unlike both the defaults and the stored
// block, and bypassed, so that what a load kept and what it replaced both show.
ArpeggiatorParams PreviousParams() {
    ArpeggiatorParams params = DefaultArpeggiatorParams();
    params.leftHandBottom = 1;
    params.leftHandSpan = 2;
    params.arpBottom = 3;
    params.arpSpan = 4;
    params.swing = 5;
    params.rateUnits = kRateTicks;
    params.noteValue = 6;
    params.pathDirection = kPathUpUp;
    params.rateAmount = 7;
    params.legato = 8;
    params.playOriginals = 9;
    params.leftHandWindowOn = 10;
    params.keepInRange = 11;
    params.reserved[0] = 0xAB;
    params.reserved[1] = 0xCD;
    params.enabled = 0;
    return params;
}

Bytes Head(const Bytes& image, size_t count) { return Bytes(image.begin(), image.begin() + count); }

// The first `count` bytes of `head`, the rest of `tail`.
Bytes Splice(const Bytes& head, size_t count, const Bytes& tail) {
    Bytes spliced = tail;
    std::copy(head.begin(), head.begin() + count, spliced.begin());
    return spliced;
}

Bytes Concat(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

Bytes WithByte(Bytes image, size_t offset, uint8_t value) {
    image[offset] = value;
    return image;
}

Bytes WithVersion(const ArpeggiatorParams& params, uint16_t version) {
    ArpeggiatorParams copy = params;
    copy.formatVersion = version;
    return ToBytes(copy);
}

// A stream over a byte vector that can be told to misbehave: Read and Write report the status
// they are given, a set count replaces the one really moved, and Write can stop short. It lives
// on the test's stack; its count only shows a stray AddRef or Release.
class TestStream final : public IStream {
public:
    explicit TestStream(Bytes content = {}) : data(std::move(content)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
        ++readCalls;
        const size_t count = std::min<size_t>(size, data.size() - position);
        if (count > 0) std::memcpy(buffer, data.data() + position, count);
        position += count;
        if (read != nullptr) *read = reportedCount.value_or(static_cast<ULONG>(count));
        return readResult;
    }

    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG size, ULONG* written) override {
        ++writeCalls;
        const ULONG count = std::min(size, writeLimit);
        const auto* bytes = static_cast<const uint8_t*>(buffer);
        data.insert(data.end(), bytes, bytes + count);
        if (written != nullptr) *written = count;
        return writeResult;
    }

#ifdef _WIN32
    // The system's IStream has nine more slots; the filter calls none of them.
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*,
                                     ULARGE_INTEGER*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }
#endif

    Bytes data;
    size_t position = 0;
    HRESULT readResult = S_OK;
    std::optional<ULONG> reportedCount;
    HRESULT writeResult = S_OK;
    ULONG writeLimit = ~0u;
    int readCalls = 0;
    int writeCalls = 0;
    ULONG refs = 1;
};

class CountingPageLink final : public IEditorPageLink {
public:
    bool IsReadyForChordText() override { return windowExists; }
    void PostChordNotification() override {}
    bool WindowExists() override { return windowExists; }
    void RefreshAllControls() override { ++refreshCount; }

    bool windowExists = true;
    int refreshCount = 0;
};

struct FilterDeleter {
    void operator()(CArpeggiator* filter) const { filter->Release(); }
};
using FilterPtr = std::unique_ptr<CArpeggiator, FilterDeleter>;

FilterPtr NewFilter() {
    FilterPtr filter(new CArpeggiator);
    filter->StopMillisecondClock();
    return filter;
}

FilterPtr NewFilterHolding(const ArpeggiatorParams& params) {
    FilterPtr filter = NewFilter();
    *filter->params = params;
    return filter;
}

Bytes ImageOf(const CArpeggiator& filter) { return ToBytes(*filter.params); }

}  // namespace

TEST(PersistStream, NullArgumentsAreRefusedBeforeAnythingElse) {
    FilterPtr filter = NewFilter();
    EXPECT_EQ(filter->Load(nullptr), E_POINTER);
    EXPECT_EQ(filter->Save(nullptr, 1), E_POINTER);
    EXPECT_EQ(filter->GetClassID(nullptr), E_POINTER);
    EXPECT_EQ(filter->GetSizeMax(nullptr), E_POINTER);
    EXPECT_EQ(filter->GetPages(nullptr), E_POINTER);
    EXPECT_EQ(ImageOf(*filter), kFreshImage);
}

TEST(PersistStream, FreshObjectSavesTheExactDefaultImage) {
    FilterPtr filter = NewFilter();
    TestStream stream;
    EXPECT_EQ(filter->Save(&stream, 1), S_OK);
    EXPECT_EQ(stream.data, kFreshImage);
    EXPECT_EQ(stream.writeCalls, 1);
    EXPECT_EQ(stream.refs, 1u);
}

TEST(PersistStream, SavedImageLoadsBackIntoAnotherFilterUnchanged) {
    FilterPtr source = NewFilterHolding(StoredParams());
    TestStream stream;
    ASSERT_EQ(source->Save(&stream, 0), S_OK);

    FilterPtr target = NewFilterHolding(PreviousParams());
    EXPECT_EQ(target->Load(&stream), S_OK);
    EXPECT_EQ(ImageOf(*target), ToBytes(StoredParams()));

    TestStream again;
    ASSERT_EQ(target->Save(&again, 0), S_OK);
    EXPECT_EQ(again.data, stream.data);
}

// Each stream is loaded into a filter holding PreviousParams; a rejected one must leave every
// byte of that block, an accepted short one everything from offset 52 on.
TEST(PersistStream, LoadAcceptsTheLongAndShortFormsAndRejectsEverythingElseIntact) {
    const Bytes stored = ToBytes(StoredParams());
    const Bytes previous = ToBytes(PreviousParams());
    struct Case {
        const char* name;
        Bytes content;
        HRESULT readResult;
        std::optional<ULONG> reportedCount;
        HRESULT expected;
        Bytes expectedBlock;
    };
    const Case cases[] = {
        {"76 bytes replace the block, enabled included", stored, S_OK, {}, S_OK, stored},
        {"a longer stream gives its first 76 bytes",
         Concat(stored, {1, 2, 3, 4}),
         S_OK,
         {},
         S_OK,
         stored},
        {"52-byte short form keeps tag, version, reserved and enabled",
         Head(stored, 52),
         S_OK,
         {},
         S_OK,
         Splice(stored, 52, previous)},
        {"short count with stray bytes past it judges the block's own tag",
         WithByte(stored, 52, 0x00), S_OK, 52u, S_OK, Splice(stored, 52, previous)},
        {"version other than 1 still loads",
         WithVersion(StoredParams(), 2),
         S_OK,
         {},
         S_OK,
         WithVersion(StoredParams(), 2)},
        {"empty stream", {}, S_OK, {}, E_FAIL, previous},
        {"51 bytes", Head(stored, 51), S_OK, {}, E_FAIL, previous},
        {"53 bytes", Head(stored, 53), S_OK, {}, E_FAIL, previous},
        {"60 bytes", Head(stored, 60), S_OK, {}, E_FAIL, previous},
        {"75 bytes", Head(stored, 75), S_OK, {}, E_FAIL, previous},
        {"count above 76 reported", stored, S_OK, 77u, E_FAIL, previous},
        {"first tag byte wrong", WithByte(stored, 52, 0xFE), S_OK, {}, E_FAIL, previous},
        {"last tag byte wrong", WithByte(stored, 67, 0xFC), S_OK, {}, E_FAIL, previous},
        {"S_FALSE with all 76 bytes", stored, S_FALSE, {}, E_FAIL, previous},
        {"Read fails", stored, E_FAIL, {}, E_FAIL, previous},
        {"Read fails with a storage error", stored, kReadFault, {}, E_FAIL, previous},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterPtr filter = NewFilterHolding(PreviousParams());
        TestStream stream(c.content);
        stream.readResult = c.readResult;
        stream.reportedCount = c.reportedCount;

        EXPECT_EQ(filter->Load(&stream), c.expected);
        EXPECT_EQ(ImageOf(*filter), c.expectedBlock);
        EXPECT_EQ(stream.readCalls, 1);
        EXPECT_EQ(stream.refs, 1u);
        EXPECT_EQ(filter->IsDirty(), S_FALSE);
    }
}

TEST(PersistStream, LoadRefreshesAnOpenPageOnlyForAcceptedVersionOneBlocks) {
    const ArpeggiatorParams stored = StoredParams();
    const Bytes storedBytes = ToBytes(stored);
    struct Case {
        const char* name;
        Bytes content;
        uint16_t previousVersion;
        bool windowExists;
        HRESULT expected;
        int expectedRefreshes;
    };
    const Case cases[] = {
        {"version 1", storedBytes, 1, true, S_OK, 1},
        {"version 2", WithVersion(stored, 2), 1, true, S_OK, 0},
        {"version 0", WithVersion(stored, 0), 1, true, S_OK, 0},
        {"page without a window", storedBytes, 1, false, S_OK, 0},
        {"short form over a version 1 block", Head(storedBytes, 52), 1, true, S_OK, 1},
        {"short form over a version 2 block", Head(storedBytes, 52), 2, true, S_OK, 0},
        {"rejected stream", WithByte(storedBytes, 60, 0), 1, true, E_FAIL, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ArpeggiatorParams previous = PreviousParams();
        previous.formatVersion = c.previousVersion;
        FilterPtr filter = NewFilterHolding(previous);
        CountingPageLink page;
        page.windowExists = c.windowExists;
        filter->editorPage = &page;
        TestStream stream(c.content);

        EXPECT_EQ(filter->Load(&stream), c.expected);
        EXPECT_EQ(page.refreshCount, c.expectedRefreshes);
        filter->editorPage = nullptr;
    }
}

TEST(PersistStream, SaveFailsUnlessTheStreamTakesAllSeventySixBytes) {
    struct Case {
        const char* name;
        HRESULT writeResult;
        ULONG writeLimit;
        HRESULT expected;
    };
    const Case cases[] = {
        {"all bytes taken", S_OK, 76, S_OK}, {"one byte short", S_OK, 75, E_FAIL},
        {"nothing taken", S_OK, 0, E_FAIL},  {"S_FALSE with all bytes", S_FALSE, 76, E_FAIL},
        {"Write fails", E_FAIL, 76, E_FAIL}, {"medium full", kMediumFull, 0, E_FAIL},
    };
    const Bytes stored = ToBytes(StoredParams());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterPtr filter = NewFilterHolding(StoredParams());
        TestStream stream;
        stream.writeResult = c.writeResult;
        stream.writeLimit = c.writeLimit;

        EXPECT_EQ(filter->Save(&stream, 1), c.expected);
        EXPECT_EQ(stream.writeCalls, 1);
        EXPECT_EQ(stream.data, Head(stored, c.writeLimit));
        EXPECT_EQ(ImageOf(*filter), stored);
        EXPECT_EQ(filter->IsDirty(), S_FALSE);
    }
}

TEST(PersistStream, FilterWithoutABlockNeitherReadsNorWrites) {
    struct Case {
        const char* name;
        bool dropBlock;
        uint32_t paramsSize;
    };
    const Case cases[] = {{"size 0", false, 0}, {"no block", true, 76}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FilterPtr filter = NewFilter();
        if (c.dropBlock) filter->params.reset();
        filter->paramsSize = c.paramsSize;
        TestStream stream(kFreshImage);

        EXPECT_EQ(filter->Load(&stream), S_OK);
        EXPECT_EQ(filter->Save(&stream, 1), S_OK);
        EXPECT_EQ(stream.readCalls, 0);
        EXPECT_EQ(stream.writeCalls, 0);
    }
}

TEST(PersistStream, SmallOperationsReportClassSizeAndCleanState) {
    FilterPtr filter = NewFilter();

    CLSID clsid;
    std::memset(&clsid, 0x55, sizeof clsid);
    EXPECT_EQ(filter->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, ids::ArpeggiatorFilter);

    ULARGE_INTEGER size;
    size.QuadPart = 0xdeadbeefdeadbeefull;
    EXPECT_EQ(filter->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 76u);

    // The editor writes straight into the block; nothing marks it dirty.
    EXPECT_EQ(filter->IsDirty(), S_FALSE);
    filter->params->swing = 55;
    EXPECT_EQ(filter->IsDirty(), S_FALSE);
}

TEST(PersistStream, GetPagesNamesTheEditorPageOnly) {
    FilterPtr filter = NewFilter();
    CAUUID pages;
    pages.cElems = 0xdeadbeef;
    pages.pElems = reinterpret_cast<GUID*>(static_cast<uintptr_t>(0xdeadbeef));

    ASSERT_EQ(filter->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 1u);
    ASSERT_NE(pages.pElems, nullptr);
    EXPECT_EQ(pages.pElems[0], ids::ArpeggiatorPropPage);
    CoTaskMemFree(pages.pElems);
}

// Run under the leak-checking sanitizer build as well: every cycle must give back all it took.
TEST(PersistStream, ManyCreateAttachSaveLoadReleaseCyclesLeaveNoObjectBehind) {
    constexpr int kCycles = 10000;
    const uint32_t objectsBefore = liveObjectCount.Get();
    ConstantTempoConverter converter(960, 500000);
    HostAuxService aux;
    HostLiveService live(0);
    SimHost host(&converter, &aux, &live);
    IClassFactory* factory = new CMidiFilterFactory;

    for (int cycle = 0; cycle < kCycles; ++cycle) {
        void* object = nullptr;
        ASSERT_EQ(factory->CreateInstance(nullptr, ids::PersistStream, &object), S_OK);
        auto* persist = static_cast<IPersistStream*>(object);
        void* face = nullptr;
        ASSERT_EQ(persist->QueryInterface(ids::MfxEventFilter, &face), S_OK);
        auto* filter = static_cast<IMfxEventFilter*>(face);

        host.AddRef();
        ASSERT_EQ(filter->AttachHost(&host), S_OK);
        TestStream stream;
        ASSERT_EQ(persist->Save(&stream, 1), S_OK);
        stream.position = 0;
        ASSERT_EQ(persist->Load(&stream), S_OK);
        ASSERT_EQ(filter->DetachHost(), S_OK);

        ASSERT_EQ(filter->Release(), 1u);
        ASSERT_EQ(persist->Release(), 0u);
        ASSERT_EQ(liveObjectCount.Get(), objectsBefore) << "cycle " << cycle;
    }
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(host.ForeignRefs(), 0);
    EXPECT_EQ(converter.ForeignRefs(), 0);
    EXPECT_EQ(aux.ForeignRefs(), 0);
    EXPECT_EQ(live.ForeignRefs(), 0);
}
