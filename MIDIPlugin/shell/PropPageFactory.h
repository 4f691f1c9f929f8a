// Creates editor pages for the host.
#pragma once

#include "shell/ClassFactoryBase.h"

class CPropPageFactory final : public CClassFactoryBase {
public:
    // [ui thread] The page object is not written yet: every request the aggregation rule lets
    // through is answered E_NOTIMPL. The class is registered all the same, so that hosts
    // already find it under its id.
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
};
