#include "validator/ComFilter.h"

#include <cstring>

#include "engine/InterfaceIds.h"

ComFilter::ComFilter(uint32_t lookAheadMs)
    : converter(960, 500000), live(lookAheadMs), host(&converter, &aux, &live) {
    if (FAILED(CoCreateInstance(ids::ArpeggiatorFilter, nullptr, CLSCTX_INPROC_SERVER,
                                ids::MfxEventFilter, reinterpret_cast<void**>(&filter)))) {
        filter = nullptr;
        return;
    }
    if (FAILED(filter->QueryInterface(ids::PersistStream, reinterpret_cast<void**>(&persist)))) {
        persist = nullptr;
    }
    host.AddRef();
    filter->AttachHost(&host);
}

ComFilter::~ComFilter() {
    if (persist != nullptr) persist->Release();
    if (filter != nullptr) {
        filter->DetachHost();
        filter->Release();
    }
}

std::vector<uint8_t> ComFilter::Save() {
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return {};
    std::vector<uint8_t> bytes;
    if (persist->Save(stream, TRUE) == S_OK) {
        HGLOBAL memory = nullptr;
        GetHGlobalFromStream(stream, &memory);
        STATSTG stat{};
        stream->Stat(&stat, STATFLAG_NONAME);
        const auto* data = static_cast<const uint8_t*>(GlobalLock(memory));
        bytes.assign(data, data + stat.cbSize.QuadPart);
        GlobalUnlock(memory);
    }
    stream->Release();
    return bytes;
}

HRESULT ComFilter::Load(const std::vector<uint8_t>& bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    if (memory == nullptr) return E_OUTOFMEMORY;
    if (!bytes.empty()) {
        std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
        GlobalUnlock(memory);
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return E_OUTOFMEMORY;
    }
    ULARGE_INTEGER size{};
    size.QuadPart = bytes.size();
    stream->SetSize(size);  // the allocation may be larger than asked for
    const HRESULT hr = persist->Load(stream);
    stream->Release();
    return hr;
}

HRESULT ComFilter::LoadParams(const ArpeggiatorParams& params) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&params);
    return Load(std::vector<uint8_t>(bytes, bytes + sizeof params));
}

std::vector<EventRecord> ComFilter::Play(int32_t from, int32_t thru,
                                         const std::vector<EventRecord>& in) {
    return FilterWindow(filter, from, thru, in);
}

std::vector<ShortMessageRecord> ComFilter::Live(const std::vector<ShortMessageRecord>& in) {
    return FilterLive(filter, in);
}

double NowSeconds() {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}
