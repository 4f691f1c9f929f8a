#include "arpeggiate/FilterSource.h"

#include <stdexcept>
#include <string>

#include "arpeggiate/HresultText.h"
#include "engine/InterfaceIds.h"

// COM needs no per-filter state of the tool's own.
struct FilterSource::Links {};

FilterSource::FilterSource() : links(nullptr) {
    // Single-threaded: the filter is created and called on this thread alone, and an
    // apartment-threaded server is then called directly, without marshalling.
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(hr)) throw std::runtime_error("COM could not start (" + HresultText(hr) + ")");
}

FilterSource::~FilterSource() { CoUninitialize(); }

IMfxEventFilter* FilterSource::Create(ChordWatch*) {
    void* object = nullptr;
    const HRESULT hr = CoCreateInstance(ids::ArpeggiatorFilter, nullptr, CLSCTX_INPROC_SERVER,
                                        ids::MfxEventFilter, &object);
    if (hr == REGDB_E_CLASSNOTREG) {
        throw std::runtime_error(
            "the Arpeggiator filter {C7594340-029B-11D5-9B01-006008C4F4C8} is not registered; "
            "register it with: regsvr32 Arpeggiator.dll");
    }
    if (FAILED(hr) || object == nullptr) {
        throw std::runtime_error("the Arpeggiator filter could not be created (" + HresultText(hr) +
                                 ")");
    }
    return static_cast<IMfxEventFilter*>(object);
}

bool FilterSource::WatchesChords() { return false; }
