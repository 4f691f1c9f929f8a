#include "arpeggiate/SettingsStream.h"

#include <algorithm>
#include <cstring>

#include "engine/InterfaceIds.h"

namespace {

// Owned by its SettingsStream, which deletes it; the filter only borrows it during a call.
class MemoryStream final : public IStream {
public:
    explicit MemoryStream(std::span<const uint8_t> initial)
        : bytes(initial.begin(), initial.end()) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (iid != ids::Unknown) return E_NOINTERFACE;
        *object = static_cast<IUnknown*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
        if (buffer == nullptr) return E_POINTER;
        const size_t count = std::min<size_t>(size, bytes.size() - position);
        std::memcpy(buffer, bytes.data() + position, count);
        position += count;
        if (read != nullptr) *read = static_cast<ULONG>(count);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG size, ULONG* written) override {
        if (buffer == nullptr) return E_POINTER;
        const auto* first = static_cast<const uint8_t*>(buffer);
        bytes.resize(std::max(bytes.size(), position + size));
        std::copy(first, first + size, bytes.begin() + static_cast<std::ptrdiff_t>(position));
        position += size;
        if (written != nullptr) *written = size;
        return S_OK;
    }

    std::vector<uint8_t> bytes;

private:
    size_t position = 0;
};

}  // namespace

SettingsStream::SettingsStream(std::span<const uint8_t> initial)
    : stream(new MemoryStream(initial)) {}

SettingsStream::~SettingsStream() { delete static_cast<MemoryStream*>(stream); }

std::vector<uint8_t> SettingsStream::Contents() const {
    return static_cast<const MemoryStream*>(stream)->bytes;
}
