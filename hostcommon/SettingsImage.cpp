#include "SettingsImage.h"

#include <algorithm>
#include <cstring>

#include "engine/FilterAccess.h"
#include "engine/InterfaceIds.h"
#include "platform/SequentialStream.h"

namespace {

// A stream over a fixed buffer, living on the caller's stack: Release never deletes it. A read
// delivers what is left; a write past the end is refused.
class FixedStream final : public SequentialStream {
public:
    explicit FixedStream(std::span<uint8_t> target) : bytes(target) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        return iid == ids::Unknown ? (*object = this, S_OK) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
        const size_t count = std::min<size_t>(size, bytes.size() - position);
        std::memcpy(buffer, bytes.data() + position, count);
        position += count;
        if (read != nullptr) *read = static_cast<ULONG>(count);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG size, ULONG* written) override {
        if (size > bytes.size() - position) return E_FAIL;
        std::memcpy(bytes.data() + position, buffer, size);
        position += size;
        if (written != nullptr) *written = size;
        return S_OK;
    }

private:
    std::span<uint8_t> bytes;
    size_t position = 0;
};

}  // namespace

SettingsImage::SettingsImage() : filter(new CArpeggiator) { FilterAccess(*filter).StopClock(); }

SettingsImage::~SettingsImage() { filter->Release(); }

SettingsImage::Bytes SettingsImage::Save(const ArpeggiatorParams& params) {
    Bytes image{};
    FilterAccess door(*filter);
    door.WriteParams(params);
    FixedStream stream(image);
    filter->Save(&stream, 0);
    return image;
}

std::optional<ArpeggiatorParams> SettingsImage::Load(std::span<const uint8_t> bytes,
                                                     const ArpeggiatorParams& current) {
    // The filter reads a block and ignores what follows; a stored value is one block only.
    if (bytes.size() > kSize) return std::nullopt;
    Bytes copy{};
    std::copy(bytes.begin(), bytes.end(), copy.begin());
    FilterAccess door(*filter);
    door.WriteParams(current);
    FixedStream stream(std::span(copy.data(), bytes.size()));
    if (filter->Load(&stream) != S_OK) return std::nullopt;
    return door.ReadParams();
}
