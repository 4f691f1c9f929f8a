// The COM names the portable code is written against come, in the Windows build, from the
// system headers themselves.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>
