// The persistence round trip: load any bytes, save, load what was saved, save again. Either the
// first load is refused and the block is as it was, or both saves write the same 76 bytes,
// which are the block Load built, and the second load takes them.
//
// Input: byte 0 bit 0 set: the next 76 bytes are the block before the load (any bytes, as a
// tool may store); else the block is the defaults. The rest is the stream's image. Load reads
// nothing of the filter but the block, which each input writes, so the filter needs no rest.
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/FilterAccess.h"
#include "fuzz/FuzzHost.h"
#include "host/MemoryStream.h"

namespace {

constexpr size_t kBlock = sizeof(ArpeggiatorParams);

// As a host saves: its questions first, then the data.
std::vector<uint8_t>& Save(FuzzFilter& filter, MemoryStream& stream) {
    filter.CheckSaveQueries();
    stream.bytes.clear();
    stream.Rewind();
    FUZZ_CHECK(filter->Save(&stream, 0) == S_OK);
    FUZZ_CHECK(stream.bytes.size() == kBlock);
    return stream.bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    FuzzFilter& filter = FuzzFilter::Shared();
    ArpeggiatorParams before = DefaultArpeggiatorParams();
    size_t at = 1;
    if ((data[0] & 1) != 0 && size >= 1 + kBlock) {
        std::memcpy(&before, data + 1, kBlock);
        at += kBlock;
    }
    filter.Door().WriteParams(before);

    static MemoryStream image;
    image.bytes.assign(data + at, data + size);
    image.Rewind();
    if (filter->Load(&image) != S_OK) {
        const ArpeggiatorParams after = filter.Door().ReadParams();
        FUZZ_CHECK(std::memcmp(&after, &before, kBlock) == 0);
        return 0;
    }

    static MemoryStream saved;
    static std::vector<uint8_t> first;
    first = Save(filter, saved);
    const ArpeggiatorParams loaded = filter.Door().ReadParams();
    FUZZ_CHECK(std::memcmp(first.data(), &loaded, kBlock) == 0);
    saved.Rewind();
    FUZZ_CHECK(filter->Load(&saved) == S_OK);
    FUZZ_CHECK(Save(filter, saved) == first);
    return 0;
}
