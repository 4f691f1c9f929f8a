#include "controls/NWInputSource.h"

namespace {

CNWInputSource::Query SystemQuery() {
    static const CNWInputSource::Query query = [] {
        HMODULE user = GetModuleHandleW(L"user32.dll");
        FARPROC entry = user ? GetProcAddress(user, "GetCurrentInputMessageSource") : nullptr;
        return reinterpret_cast<CNWInputSource::Query>(reinterpret_cast<void*>(entry));
    }();
    return query;
}

bool replaced = false;
CNWInputSource::Query replacement = nullptr;

}  // namespace

INPUT_MESSAGE_DEVICE_TYPE CNWInputSource::CurrentDevice() {
    const Query query = replaced ? replacement : SystemQuery();
    INPUT_MESSAGE_SOURCE source = {IMDT_UNAVAILABLE, IMO_UNAVAILABLE};
    if (!query || !query(&source)) {
        return IMDT_UNAVAILABLE;
    }
    return source.deviceType;
}

bool CNWInputSource::WarpsCursor(INPUT_MESSAGE_DEVICE_TYPE device) {
    return device == IMDT_UNAVAILABLE || device == IMDT_MOUSE;
}

void CNWInputSource::ReplaceQuery(Query query) {
    replaced = true;
    replacement = query;
}

void CNWInputSource::RestoreQuery() {
    replaced = false;
    replacement = nullptr;
}
