// The filter's COM faces as a host calls them between filter calls: interface queries, the
// page list, the questions before a save, a save and its load, the enable switch, and every
// face handed a missing argument.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/FuzzHost.h"

// One call, chosen by the input, with its answer checked; the block is unchanged after it.
void CallComFaces(FuzzFilter& filter, FuzzedDataProvider& in);
