// The output records as arphost prints them. Keys keep a fixed order so that the output of a
// scenario is the same text on every run, which the golden tests compare byte for byte.
#pragma once

#include <cstddef>
#include <string>

#include <nlohmann/json.hpp>

#include "engine/HostInterfaces.h"

// Lower-case hex, two digits per byte, in memory order.
std::string ToHex(const void* bytes, size_t size);

// {"time","kind","key","velocity","duration","raw"}; time as a signed song position.
nlohmann::ordered_json EventToJson(const EventRecord& record);

// {"time","status","data1","data2"}; time as signed, like the event times.
nlohmann::ordered_json MessageToJson(const ShortMessageRecord& message);
