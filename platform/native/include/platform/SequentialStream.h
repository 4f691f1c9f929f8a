// The base of the streams handed to the filter's IPersistStream: the native IStream has only
// Read and Write, which is all the filter calls.
#pragma once

#include "platform/ComTypes.h"

using SequentialStream = IStream;
