// Any bytes as a stored settings stream. The stream hands them out a few bytes per Read when the
// first byte says so, as a slow or broken stream would. Load either accepts the image or refuses
// it and keeps every byte of the previous block; after either, the filter still runs.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/Arpeggiator.h"
#include "fuzz/FuzzHost.h"
#include "host/MemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t chunk = data[0] % 8;  // 0: the whole request at once; else 1..7 bytes
    FuzzFilter filter;
    ArpeggiatorParams before = filter.Door().ReadParams();
    before.swing = 77;  // something a load must either replace or keep
    filter.Door().WriteParams(before);

    MemoryStream stream({data + 1, size - 1});
    stream.readChunk = static_cast<ULONG>(chunk);
    const HRESULT hr = filter->Load(&stream);
    const size_t delivered = std::min<size_t>(size - 1, chunk == 0 ? 76 : chunk);
    const ArpeggiatorParams after = filter.Door().ReadParams();
    if (hr == S_OK) {
        FUZZ_CHECK(delivered == 76 || delivered == 52);
        FUZZ_CHECK(std::memcmp(&after, data + 1, delivered) == 0);
        FUZZ_CHECK(delivered == 76 ||
                   std::memcmp(reinterpret_cast<const uint8_t*>(&after) + 52,
                               reinterpret_cast<uint8_t*>(&before) + 52, 24) == 0);
    } else {
        FUZZ_CHECK(hr == E_FAIL);
        FUZZ_CHECK(std::memcmp(&after, &before, sizeof before) == 0);
    }
    filter.PlayAndCheck();
    return 0;
}
