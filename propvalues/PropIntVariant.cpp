// The variant face of CPropInt: Windows build only, on the system's own variant conversions.
#include "propvalues/PropInt.h"

bool CPropInt::ToVariant(VARIANT* out) const {
    if (!out) {
        return false;
    }
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
    return true;
}

// Any variant the system can turn into a 32-bit integer (numbers, numeric text, booleans);
// the conversion rounds as the system does (half to even).
bool CPropInt::FromVariant(const VARIANT& in) {
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&in), 0, VT_I4))) {
        return false;
    }
    const int32_t number = converted.lVal;
    VariantClear(&converted);
    return Accept(number);
}
