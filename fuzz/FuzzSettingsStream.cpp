// Any bytes as a stored settings stream. The stream hands them out a few bytes per Read when the
// first byte says so, as a slow or broken stream would. Load either accepts the image or refuses
// it and keeps every byte of the previous block; after either, the filter still runs.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/Arpeggiator.h"
#include "fuzz/FuzzHost.h"

namespace {

class ChunkedStream final : public IStream {
public:
    ChunkedStream(const uint8_t* bytes, size_t size, size_t chunk)
        : bytes(bytes), size(size), chunk(chunk) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG wanted, ULONG* read) override {
        const size_t n = std::min<size_t>(
            {size_t{wanted}, size - position, chunk == 0 ? size_t{wanted} : chunk});
        std::memcpy(buffer, bytes + position, n);
        position += n;
        if (read != nullptr) *read = static_cast<ULONG>(n);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_FAIL; }

private:
    const uint8_t* bytes;
    size_t size;
    size_t chunk;
    size_t position = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t chunk = data[0] % 8;  // 0: the whole request at once; else 1..7 bytes
    FuzzFilter filter;
    ArpeggiatorParams before = *filter->params;
    before.swing = 77;  // something a load must either replace or keep
    *filter->params = before;

    ChunkedStream stream(data + 1, size - 1, chunk);
    const HRESULT hr = filter->Load(&stream);
    const size_t delivered = std::min<size_t>(size - 1, chunk == 0 ? 76 : chunk);
    if (hr == S_OK) {
        FUZZ_CHECK(delivered == 76 || delivered == 52);
        FUZZ_CHECK(std::memcmp(filter->params.get(), data + 1, delivered) == 0);
        FUZZ_CHECK(delivered == 76 ||
                   std::memcmp(reinterpret_cast<uint8_t*>(filter->params.get()) + 52,
                               reinterpret_cast<uint8_t*>(&before) + 52, 24) == 0);
    } else {
        FUZZ_CHECK(hr == E_FAIL);
        FUZZ_CHECK(std::memcmp(filter->params.get(), &before, sizeof before) == 0);
    }
    filter.PlayAndCheck();
    return 0;
}
