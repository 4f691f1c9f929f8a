// The filter's stored settings through IPersistStream: the exact 76-byte image, the 52-byte
// short form of older projects, every way a stream can fail or lie, the page refresh after a
// load, and the small queries.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "engine/Arpeggiator.h"
#include "engine/FilterAccess.h"
#include "engine/FilterTestView.h"
#include "engine/InterfaceIds.h"
#include "host/MemoryStream.h"
#include "support/FilterFixture.h"
#include "support/RecordingPage.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr HRESULT kReadFault = static_cast<HRESULT>(0x8003001Eu);   // STG_E_READFAULT
constexpr HRESULT kMediumFull = static_cast<HRESULT>(0x80030070u);  // STG_E_MEDIUMFULL
constexpr size_t kShortForm = 52, kVersionAt = 68, kEnabledAt = 72;

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

Bytes With(Bytes image, size_t offset, uint8_t value) {
    image[offset] = value;
    return image;
}

// The fresh image with every settings byte and both reserved bytes changed: blocks from seeds
// at least 52 apart differ from each other and from the defaults in every one of those bytes.
Bytes Block(uint8_t seed, uint8_t enabled) {
    Bytes image = kFreshImage;
    for (size_t i = 0; i < kShortForm; ++i) image[i] = static_cast<uint8_t>(seed + i);
    image[70] = image[71] = seed;  // reserved
    return With(image, kEnabledAt, enabled);
}
const Bytes kStored = Block(1, 1);
// What a filter holds before the load under test: bypassed, so that what a load kept and what
// it replaced both show.
const Bytes kPrevious = Block(0x80, 0);

Bytes Head(const Bytes& image, size_t count) { return Bytes(image.begin(), image.begin() + count); }

// The first `count` bytes of `head`, the rest of `tail`.
Bytes Splice(const Bytes& head, size_t count, const Bytes& tail) {
    Bytes spliced = tail;
    std::copy(head.begin(), head.begin() + count, spliced.begin());
    return spliced;
}

// A filter holding `block`, or its defaults when `block` is empty.
FilterPtr NewFilter(const Bytes& block) {
    FilterPtr filter = ::NewFilter();
    if (!block.empty()) {
        FilterAccess(*filter).EditParams([&block](ArpeggiatorParams& params) {
            std::memcpy(&params, block.data(), block.size());
        });
    }
    return filter;
}

Bytes ImageOf(CArpeggiator& filter) {
    const ArpeggiatorParams params = FilterAccess(filter).ReadParams();
    const auto* bytes = reinterpret_cast<const uint8_t*>(&params);
    return Bytes(bytes, bytes + sizeof params);
}

}  // namespace

TEST(PersistStream, NullArgumentsAreRefusedAndTheSmallQueriesAnswer) {
    FilterPtr filter = NewFilter();
    EXPECT_EQ(filter->Load(nullptr), E_POINTER);
    EXPECT_EQ(filter->Save(nullptr, 1), E_POINTER);
    EXPECT_EQ(filter->GetClassID(nullptr), E_POINTER);
    EXPECT_EQ(filter->GetSizeMax(nullptr), E_POINTER);
    EXPECT_EQ(filter->GetPages(nullptr), E_POINTER);

    CLSID clsid;
    std::memset(&clsid, 0x55, sizeof clsid);
    EXPECT_EQ(filter->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, ids::ArpeggiatorFilter);
    ULARGE_INTEGER size;
    size.QuadPart = 0xdeadbeefdeadbeefull;
    EXPECT_EQ(filter->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 76u);
    CAUUID pages{0xdeadbeef, reinterpret_cast<GUID*>(static_cast<uintptr_t>(0xdeadbeef))};
    ASSERT_EQ(filter->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 1u);
    EXPECT_EQ(pages.pElems[0], ids::ArpeggiatorPropPage);
    CoTaskMemFree(pages.pElems);

    // The editor writes straight into the block; nothing marks it dirty.
    FilterAccess(*filter).EditParams([](ArpeggiatorParams& params) { params.swing = 55; });
    EXPECT_EQ(filter->IsDirty(), S_FALSE);
}

TEST(PersistStream, SavesTheExactImageAndLoadsItBackIntoAnotherFilter) {
    MemoryStream fresh;
    EXPECT_EQ(NewFilter()->Save(&fresh, 1), S_OK);
    EXPECT_EQ(fresh.bytes, kFreshImage);
    EXPECT_EQ(fresh.Refs(), 1u);

    MemoryStream stream;
    ASSERT_EQ(NewFilter(kStored)->Save(&stream, 0), S_OK);
    EXPECT_EQ(stream.bytes, kStored);
    FilterPtr target = NewFilter(kPrevious);
    stream.Rewind();
    EXPECT_EQ(target->Load(&stream), S_OK);
    EXPECT_EQ(ImageOf(*target), kStored);
}

// A rejected stream must leave every byte of the previous block, an accepted short one
// everything from offset 52 on. An open page is refreshed after an accepted version 1 block.
TEST(PersistStream, LoadTakesTheLongAndShortFormsRejectsTheRestIntactAndRefreshesThePage) {
    struct Case {
        const char* name;
        Bytes content;
        HRESULT readResult = S_OK;
        std::optional<ULONG> reportedRead = {};
        HRESULT expected = E_FAIL;
        Bytes block = kPrevious;  // what the filter holds afterwards
        int refreshes = 0;
        Bytes previous = kPrevious;
        bool window = true;
    };
    const Bytes shortForm = Head(kStored, kShortForm);
    const Bytes shortLoaded = Splice(kStored, kShortForm, kPrevious);
    const Bytes version0 = With(kStored, kVersionAt, 0), version2 = With(kStored, kVersionAt, 2);
    const Bytes previous2 = With(kPrevious, kVersionAt, 2);
    Bytes longer = kStored;
    longer.insert(longer.end(), {1, 2, 3, 4});
    constexpr auto kAsMoved = std::nullopt;
    // clang-format off
    const Case cases[] = {
        {"76 bytes, enabled included", kStored, S_OK, kAsMoved, S_OK, kStored, 1},
        {"a longer stream gives its first 76 bytes", longer, S_OK, kAsMoved, S_OK, kStored, 1},
        {"short form keeps tag, version, reserved and enabled", shortForm, S_OK, kAsMoved, S_OK, shortLoaded, 1},
        {"a count of 52 with stray bytes past it judges the block's own tag", With(kStored, 52, 0), S_OK, 52u, S_OK, shortLoaded, 1},
        {"version 2 loads, no refresh", version2, S_OK, kAsMoved, S_OK, version2, 0},
        {"version 0 loads, no refresh", version0, S_OK, kAsMoved, S_OK, version0, 0},
        {"page without a window", kStored, S_OK, kAsMoved, S_OK, kStored, 0, kPrevious, false},
        {"short form over a version 2 block, no refresh", shortForm, S_OK, kAsMoved, S_OK, Splice(kStored, kShortForm, previous2), 0, previous2},
        {"empty stream", Bytes()},
        {"51 bytes", Head(kStored, 51)},
        {"53 bytes", Head(kStored, 53)},
        {"75 bytes", Head(kStored, 75)},
        {"count above 76 reported", kStored, S_OK, 77u},
        {"first tag byte wrong", With(kStored, 52, 0xFE)},
        {"last tag byte wrong", With(kStored, 67, 0xFC)},
        {"S_FALSE with all 76 bytes", kStored, S_FALSE},
        {"Read fails with a storage error", kStored, kReadFault},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPage page;
        page.ready = c.window;
        FilterPtr filter = NewFilter(c.previous);
        FilterAccess(*filter).BindEditorPage(&page);
        MemoryStream stream(c.content);
        stream.readResult = c.readResult;
        stream.reportedRead = c.reportedRead;

        EXPECT_EQ(filter->Load(&stream), c.expected);
        EXPECT_EQ(ImageOf(*filter), c.block);
        EXPECT_EQ(page.refreshes, c.refreshes);
        EXPECT_EQ(stream.readCalls, 1);
        EXPECT_EQ(stream.Refs(), 1u);
        EXPECT_EQ(filter->IsDirty(), S_FALSE);
        FilterAccess(*filter).UnbindEditorPage(&page);
    }
}

TEST(PersistStream, SaveFailsUnlessTheStreamTakesAllSeventySixBytes) {
    // What Write returns and how many bytes it takes: one short, S_FALSE, a storage error.
    const std::pair<HRESULT, ULONG> cases[] = {{S_OK, 75}, {S_FALSE, 76}, {kMediumFull, 0}};
    for (const auto& [result, taken] : cases) {
        SCOPED_TRACE(taken);
        MemoryStream stream;
        stream.writeResult = result;
        stream.writeLimit = taken;
        EXPECT_EQ(NewFilter(kStored)->Save(&stream, 1), E_FAIL);
    }
}

TEST(PersistStream, FilterWithoutABlockNeitherReadsNorWrites) {
    for (const bool dropBlock : {false, true}) {
        SCOPED_TRACE(dropBlock ? "no block" : "size 0");
        FilterPtr filter = NewFilter();
        if (dropBlock) {
            FilterTestView(*filter).FreeParams();
        } else {
            FilterTestView(*filter).SetParamsSize(0);
        }
        MemoryStream stream(kFreshImage);
        EXPECT_EQ(filter->Load(&stream), S_OK);
        EXPECT_EQ(filter->Save(&stream, 1), S_OK);
        EXPECT_EQ(stream.readCalls + stream.writeCalls, 0);
    }
}
