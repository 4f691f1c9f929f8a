// A read-only IStream over a byte image, so that a scenario's settings reach the filter
// through its real IPersistStream::Load. It lives on the stack of its user: Release never
// deletes it.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/InterfaceIds.h"

class ByteStream final : public IStream {
public:
    explicit ByteStream(const std::vector<uint8_t>& image) : bytes(image) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (iid != ids::Unknown) return E_NOINTERFACE;
        *object = static_cast<IUnknown*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // Like a memory stream, a read past the end succeeds with fewer bytes.
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
        const size_t count = std::min<size_t>(size, bytes.size() - position);
        std::memcpy(buffer, bytes.data() + position, count);
        position += count;
        if (read != nullptr) *read = static_cast<ULONG>(count);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return E_NOTIMPL; }

private:
    const std::vector<uint8_t>& bytes;
    size_t position = 0;
};
