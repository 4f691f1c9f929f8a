#include "shell/MidiFilterFactory.h"

#include "engine/Arpeggiator.h"

#include <new>

HRESULT STDMETHODCALLTYPE CMidiFilterFactory::CreateInstance(IUnknown* outer, REFIID iid,
                                                             void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;

    // The constructor allocates the parameter block and the pending list; an exception must not
    // cross into the host.
    CArpeggiator* filter = nullptr;
    try {
        filter = new CArpeggiator;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return HandOut(static_cast<IMfxEventFilter*>(filter), iid, object);
}
