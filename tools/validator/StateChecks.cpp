// Saving and restoring settings, with valid, damaged and random streams.
#include <cstring>

#include "validator/Checks.h"
#include "validator/ComFilter.h"
#include "validator/RandomBlocks.h"

namespace {

std::vector<uint8_t> BytesOf(const ArpeggiatorParams& params) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&params);
    return {bytes, bytes + sizeof params};
}

}  // namespace

void CheckStateRoundTrip(Report& report) {
    RandomBlocks blocks(1);
    int mismatches = 0;
    const double start = NowSeconds();
    for (int i = 0; i < 1000; ++i) {
        const std::vector<uint8_t> stored = BytesOf(blocks.Valid());
        ComFilter first;
        first.Load(stored);
        const std::vector<uint8_t> saved = first.Save();
        ComFilter second;
        const HRESULT hr = second.Load(saved);
        if (hr != S_OK || second.Save() != saved || saved != stored) ++mismatches;
    }
    report.Check("state: save, new instance, load, save", mismatches == 0,
                 Format("1000 random settings, %d mismatches, %.1f ms each", mismatches,
                        (NowSeconds() - start) * 1000 / 1000));
}

// Every stream is either taken (a 76-byte image with the right tag, or the 52-byte short form)
// or refused with E_FAIL, and a refused one leaves the settings exactly as they were.
void CheckDamagedState(Report& report) {
    RandomBlocks blocks(2);
    ComFilter filter;
    int wrong = 0;
    int loaded = 0;
    int refused = 0;
    auto tryStream = [&](const std::vector<uint8_t>& bytes) {
        filter.LoadParams(blocks.Valid());
        const std::vector<uint8_t> before = filter.Save();
        const HRESULT hr = filter.Load(bytes);
        const std::vector<uint8_t> after = filter.Save();
        const bool tagged = bytes.size() >= 68 &&
                            std::memcmp(bytes.data() + 52, &kParamsFormatTag, sizeof(GUID)) == 0;
        const bool expectLoad = bytes.size() == 52 || (bytes.size() >= 76 && tagged);
        if (hr == S_OK && expectLoad) {
            ++loaded;
            const size_t n = bytes.size() == 52 ? 52 : 76;
            if (std::memcmp(after.data(), bytes.data(), n) != 0) ++wrong;
            if (n == 52 && std::memcmp(after.data() + 52, before.data() + 52, 24) != 0) ++wrong;
        } else if (hr == E_FAIL && !expectLoad) {
            ++refused;
            if (after != before) ++wrong;
        } else {
            ++wrong;
        }
    };
    for (size_t length = 0; length <= 200; ++length) {
        std::vector<uint8_t> bytes = blocks.Bytes(length);
        // Half of them carry the right tag where they are long enough to.
        if (length >= 68 && length % 2 == 0) std::memcpy(bytes.data() + 52, &kParamsFormatTag, 16);
        tryStream(bytes);
    }
    for (int i = 0; i < 500; ++i) {
        std::vector<uint8_t> bytes = blocks.Bytes(76);
        if (i % 2 == 0) std::memcpy(bytes.data() + 52, &kParamsFormatTag, 16);
        tryStream(bytes);
    }
    report.Check("state: damaged and random streams", wrong == 0,
                 Format("lengths 0..200 and 500 random blocks: %d loaded, %d refused, %d wrong",
                        loaded, refused, wrong));
}
