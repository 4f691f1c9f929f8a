// Creates filter objects for the host.
#pragma once

#include "shell/ClassFactoryBase.h"

class CMidiFilterFactory final : public CClassFactoryBase {
public:
    // [any thread] Neither class of the module supports aggregation.
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
};
