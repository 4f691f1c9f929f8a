// The filter's stored settings: the parameter block, byte for byte, in the host's project.
// Loading also takes the 52-byte short form of older projects.
#include <cstdint>
#include <cstring>

#include "engine/Arpeggiator.h"
#include "engine/InterfaceIds.h"
#include "platform/ScopedLock.h"

// [any thread]
HRESULT STDMETHODCALLTYPE CArpeggiator::GetClassID(CLSID* clsid) {
    if (clsid == nullptr) return E_POINTER;
    *clsid = ids::ArpeggiatorFilter;
    return S_OK;
}

// [any thread] No operation marks the settings dirty: the host saves them whenever it saves.
HRESULT STDMETHODCALLTYPE CArpeggiator::IsDirty() { return dirty != 0 ? S_OK : S_FALSE; }

// [any thread, takes lock] A rejected stream leaves every field as it was: the bytes are read
// into a scratch block and copied in only after every check has passed.
HRESULT STDMETHODCALLTYPE CArpeggiator::Load(IStream* stream) {
    if (stream == nullptr) return E_POINTER;
    ScopedLock hold(lock);
    if (paramsSize == 0 || !params) return S_OK;

    ArpeggiatorParams scratch = *params;
    ULONG read = 0;
    if (stream->Read(&scratch, sizeof scratch, &read) != S_OK) return E_FAIL;
    if (read > sizeof scratch) return E_FAIL;
    if (read < sizeof scratch && read != kParamsShortFormSize) return E_FAIL;
    // Only the count the stream reported was delivered: after a short read the tag, version
    // and `enabled` are the block's own, whatever the stream left in the rest of the buffer.
    std::memcpy(reinterpret_cast<uint8_t*>(&scratch) + read,
                reinterpret_cast<const uint8_t*>(params.get()) + read, sizeof scratch - read);
    if (std::memcmp(&scratch.formatTag, &kParamsFormatTag, sizeof(GUID)) != 0) return E_FAIL;

    *params = scratch;
    if (editorPage != nullptr && editorPage->WindowExists() &&
        params->formatVersion == kParamsFormatVersion) {
        editorPage->RefreshAllControls();  // takes lock again, which is recursive
    }
    return S_OK;
}

// [any thread, takes lock] clearDirty is ignored: nothing ever sets dirty.
HRESULT STDMETHODCALLTYPE CArpeggiator::Save(IStream* stream, BOOL) {
    if (stream == nullptr) return E_POINTER;
    ScopedLock hold(lock);
    if (paramsSize == 0 || !params) return S_OK;
    ULONG written = 0;
    if (stream->Write(params.get(), paramsSize, &written) != S_OK || written != paramsSize) {
        return E_FAIL;
    }
    return S_OK;
}

// [any thread]
HRESULT STDMETHODCALLTYPE CArpeggiator::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr) return E_POINTER;
    size->QuadPart = paramsSize;
    return S_OK;
}
