#include "pagehost/PropertyFrame.h"

#include "engine/InterfaceIds.h"

HRESULT ShowPropertyFrame(IUnknown* object, const wchar_t* caption, HWND owner) {
    ISpecifyPropertyPages* specify = nullptr;
    HRESULT hr =
        object->QueryInterface(ids::SpecifyPropertyPages, reinterpret_cast<void**>(&specify));
    if (FAILED(hr)) return hr;
    CAUUID pages = {};
    hr = specify->GetPages(&pages);
    specify->Release();
    if (FAILED(hr)) return hr;
    hr = OleCreatePropertyFrame(owner, 0, 0, caption, 1, &object, pages.cElems, pages.pElems,
                                LOCALE_USER_DEFAULT, 0, nullptr);
    CoTaskMemFree(pages.pElems);
    return hr;
}
