// A status code as Windows prints it, for messages: "0x80004005".
#pragma once

#include <cinttypes>
#include <cstdio>
#include <string>

#include "platform/ComTypes.h"

inline std::string HresultText(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08" PRIX32, static_cast<uint32_t>(hr));
    return text;
}
