// Creates editor pages for the host.
#pragma once

#include "shell/ClassFactoryBase.h"

class CPropPageFactory final : public CClassFactoryBase {
public:
    // [any thread] Neither class of the module supports aggregation. The page is created with
    // no parent window; its window comes with IPropertyPage::Activate.
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
};
