// The classes this module serves. The class-object lookup, registration and unregistration all
// walk this one table, so a class cannot be served without being registered, or the other way
// round.
#pragma once

#include <span>

#include "platform/ComTypes.h"

struct ServedClass {
    const CLSID* clsid;
    UINT nameStringId;        // registered name, from the module's string table
    bool listedAsMidiFilter;  // the host looks for its filters under "MIDI Filters"
    // A new factory holding one reference, or null when memory is short.
    IClassFactory* (*newFactory)();
};

// [any thread]
std::span<const ServedClass> ServedClasses();

// [any thread] Null for a class this module does not serve.
const ServedClass* FindServedClass(REFCLSID clsid);
