// What the test hosts' own VST3 objects share: a vtable of function pointers behind the
// object's first pointer, as the interfaces lay them out, and results of the interfaces' type
// for lambdas that return them.
#pragma once

#include "travesty/base.h"

constexpr v3_result kOk = V3_OK;
constexpr v3_result kNotImplemented = V3_NOT_IMPLEMENTED;

inline v3_result V3_API NoInterface(void*, const v3_tuid, void** object) {
    *object = nullptr;
    return V3_NO_INTERFACE;
}
// For objects that live as long as the host: counted, never deleted.
inline uint32_t V3_API Counted(void*) { return 1; }

template <typename Methods>
struct V3Vtable {
    v3_funknown unknown;
    Methods methods;
};
template <typename T>
T& Of(void* self) {
    return *static_cast<T*>(self);
}
