#include "platform/ComTypes.h"

#include <cstdlib>

void* CoTaskMemAlloc(size_t size) { return std::malloc(size); }

void CoTaskMemFree(void* block) { std::free(block); }
