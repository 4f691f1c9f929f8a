#include "host/MemoryStream.h"

#include <algorithm>
#include <cstring>

#include "engine/InterfaceIds.h"

MemoryStream::MemoryStream(std::span<const uint8_t> image) : bytes(image.begin(), image.end()) {}

HRESULT STDMETHODCALLTYPE MemoryStream::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid != ids::Unknown) return E_NOINTERFACE;
    *object = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MemoryStream::Read(void* buffer, ULONG size, ULONG* read) {
    ++readCalls;
    if (buffer == nullptr) return E_POINTER;
    size_t count = std::min<size_t>(size, bytes.size() - std::min(position, bytes.size()));
    if (readChunk != 0) count = std::min<size_t>(count, readChunk);
    if (count > 0) std::memcpy(buffer, bytes.data() + position, count);
    position += count;
    if (read != nullptr) *read = reportedRead.value_or(static_cast<ULONG>(count));
    return readResult;
}

HRESULT STDMETHODCALLTYPE MemoryStream::Write(const void* buffer, ULONG size, ULONG* written) {
    ++writeCalls;
    if (buffer == nullptr) return E_POINTER;
    const size_t count = std::min(size, writeLimit);
    bytes.resize(std::max(bytes.size(), position + count));
    if (count > 0) std::memcpy(bytes.data() + position, buffer, count);
    position += count;
    if (written != nullptr) *written = static_cast<ULONG>(count);
    return writeResult;
}
