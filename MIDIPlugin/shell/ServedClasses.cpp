#include "shell/ServedClasses.h"

#include <new>

#include "engine/InterfaceIds.h"
#include "resources/ResourceIds.h"
#include "shell/MidiFilterFactory.h"
#include "shell/PropPageFactory.h"

namespace {

template <typename Factory>
IClassFactory* NewFactory() {
    return new (std::nothrow) Factory;
}

// The filter comes first: registration writes it first and the host lists only it.
constexpr ServedClass kServedClasses[] = {
    {&ids::ArpeggiatorFilter, IDS_FILTER_NAME, true, &NewFactory<CMidiFilterFactory>},
    {&ids::ArpeggiatorPropPage, IDS_PAGE_NAME, false, &NewFactory<CPropPageFactory>},
};

}  // namespace

std::span<const ServedClass> ServedClasses() { return kServedClasses; }

const ServedClass* FindServedClass(REFCLSID clsid) {
    for (const ServedClass& served : kServedClasses) {
        if (*served.clsid == clsid) return &served;
    }
    return nullptr;
}
