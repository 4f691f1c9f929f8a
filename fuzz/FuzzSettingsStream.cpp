// Any bytes as a stored settings stream, read by Load from a stream that may misbehave as a
// slow or broken one does, into a block that may differ from the defaults. Load either takes
// exactly the bytes the stream reported and the tag allows, or refuses and keeps every byte of
// the block it had; an open page is refreshed exactly when a version-1 block was taken. Then
// the host saves the block to a stream that may fail or take fewer bytes than offered: Save
// succeeds exactly when all 76 went out, and they are the block.
//
// Input: three bytes that shape the streams, the block before the load and the page, then the
// image.
//   byte 0: bits 0-2 bytes per Read (0: the whole request), bits 3-4 Read's status (S_OK,
//           S_OK, S_FALSE, E_FAIL), bits 5-6 the count it reports (as moved, as moved, 76, a
//           count from byte 1)
//   byte 1: bits 0-2 which count, bit 3 the block is bypassed, bit 4 its version is 2,
//           bit 5 its tag is broken, bits 6-7 Write (takes all, takes all, fails, takes 75)
//   byte 2: bits 0-1 the page (none, bound with its window closed, bound with it open)
// Load and Save read nothing of the filter but the block and the page link, which each input
// sets, so the filter needs no rest between inputs.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/FilterAccess.h"
#include "fuzz/FuzzHost.h"
#include "host/MemoryStream.h"

namespace {

constexpr size_t kBlock = sizeof(ArpeggiatorParams);
constexpr size_t kHeader = 3;

struct Shape {
    ULONG chunk;
    HRESULT status;
    bool overrideCount;
    ULONG reported;
    bool pageBound;
    bool windowExists;
    HRESULT writeStatus;
    ULONG writeLimit;
};

Shape ReadShape(uint8_t stream, uint8_t block, uint8_t page) {
    constexpr HRESULT kStatuses[] = {S_OK, S_OK, S_FALSE, E_FAIL};
    constexpr ULONG kCounts[] = {52, 77, 0, 0xFFFFFFFF, 51, 53, 75, 1};
    const int countMode = (stream >> 5) & 3;
    return Shape{
        .chunk = stream & 7u,
        .status = kStatuses[(stream >> 3) & 3],
        .overrideCount = countMode >= 2,
        .reported = countMode == 2 ? ULONG{kBlock} : kCounts[block & 7],
        .pageBound = (page & 3) != 0,
        .windowExists = (page & 3) >= 2,
        .writeStatus = (block >> 6) == 2 ? E_FAIL : S_OK,
        .writeLimit = (block >> 6) == 3 ? ULONG{kBlock - 1} : ~ULONG{0},
    };
}

ArpeggiatorParams BlockBefore(uint8_t block) {
    ArpeggiatorParams params = DefaultArpeggiatorParams();
    params.swing = 77;  // something a load must either replace or keep
    if ((block & 0x08) != 0) params.enabled = 0;
    if ((block & 0x10) != 0) params.formatVersion = 2;
    if ((block & 0x20) != 0) params.formatTag.Data4[7] ^= 1;
    return params;
}

// The block Load builds: the reported count's bytes from the stream's buffer, of which the
// stream filled only those it moved; the rest as they were.
ArpeggiatorParams Merged(const ArpeggiatorParams& before, const uint8_t* image, size_t moved,
                         size_t reported) {
    ArpeggiatorParams merged = before;
    std::memcpy(&merged, image, std::min(moved, reported));
    return merged;
}

// The host's save; neither stream may be missing.
void CheckSave(FuzzFilter& filter, const Shape& shape, const ArpeggiatorParams& block) {
    static MemoryStream out;
    out.bytes.clear();
    out.Rewind();
    out.writeResult = shape.writeStatus;
    out.writeLimit = shape.writeLimit;
    const HRESULT hr = filter->Save(&out, 1);
    const bool whole = shape.writeStatus == S_OK && shape.writeLimit >= kBlock;
    FUZZ_CHECK(hr == (whole ? S_OK : E_FAIL));
    const size_t written = std::min<size_t>(kBlock, shape.writeLimit);
    FUZZ_CHECK(out.bytes.size() == written && std::memcmp(out.bytes.data(), &block, written) == 0);
    const ArpeggiatorParams after = filter.Door().ReadParams();
    FUZZ_CHECK(std::memcmp(&after, &block, kBlock) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeader) return 0;
    FuzzFilter& filter = FuzzFilter::Shared();
    const Shape shape = ReadShape(data[0], data[1], data[2]);
    const ArpeggiatorParams before = BlockBefore(data[1]);
    filter.Door().WriteParams(before);
    FuzzPage& page = filter.page;
    page.windowExists = shape.windowExists;
    page.refreshes = 0;
    if (shape.pageBound) filter.Door().BindEditorPage(&page);

    static MemoryStream stream;
    stream.bytes.assign(data + kHeader, data + size);
    stream.Rewind();
    stream.readChunk = shape.chunk;
    stream.readResult = shape.status;
    stream.reportedRead.reset();
    if (shape.overrideCount) stream.reportedRead = shape.reported;
    const HRESULT hr = filter->Load(&stream);
    filter.Door().UnbindEditorPage(&page);

    const size_t moved = std::min(size - kHeader, shape.chunk == 0 ? kBlock : size_t{shape.chunk});
    const size_t reported = shape.overrideCount ? shape.reported : moved;
    const ArpeggiatorParams merged = Merged(before, data + kHeader, moved, reported);
    const bool accepted = shape.status == S_OK && (reported == kBlock || reported == 52) &&
                          std::memcmp(&merged.formatTag, &kParamsFormatTag, sizeof(GUID)) == 0;
    const ArpeggiatorParams after = filter.Door().ReadParams();
    FUZZ_CHECK(hr == (accepted ? S_OK : E_FAIL));
    FUZZ_CHECK(std::memcmp(&after, accepted ? &merged : &before, kBlock) == 0);
    const bool refreshed =
        accepted && shape.pageBound && shape.windowExists && merged.formatVersion == 1;
    FUZZ_CHECK(page.refreshes == (refreshed ? 1 : 0));
    FUZZ_CHECK(!refreshed || std::memcmp(&page.shown, &merged, kBlock) == 0);
    CheckSave(filter, shape, after);
    return 0;
}
