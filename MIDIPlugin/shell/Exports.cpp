// The module's four exports (listed in Arpeggiator.def). They take no lock: the counters they
// read change atomically, and the registry serialises its own writers.
#include "platform/ModuleCounters.h"
#include "shell/Registration.h"
#include "shell/ServedClasses.h"

// [any thread] An unknown class leaves `object` as the caller had it: for a class the module
// does not serve it creates and writes nothing.
STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
    const ServedClass* served = FindServedClass(clsid);
    if (served == nullptr) return CLASS_E_CLASSNOTAVAILABLE;
    if (object == nullptr) return E_POINTER;
    *object = nullptr;

    IClassFactory* factory = served->newFactory();
    if (factory == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

// [any thread] Factories are not counted: a factory the host still holds does not keep the
// module loaded.
STDAPI DllCanUnloadNow() {
    return liveObjectCount.Get() == 0 && serverLockCount.Get() == 0 ? S_OK : S_FALSE;
}

// [any thread]
STDAPI DllRegisterServer() {
    RegisterServedClasses();
    return S_OK;
}

// [any thread]
STDAPI DllUnregisterServer() {
    UnregisterServedClasses();
    return S_OK;
}
