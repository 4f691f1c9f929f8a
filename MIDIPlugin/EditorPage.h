// How the shell's page factory makes an editor page without knowing the page's code: the
// editor (editor/, Windows build only) defines this one function, and the DLL links both.
#pragma once

#include "platform/ComTypes.h"

// A new editor page with one reference on its IPropertyPage face (also its IUnknown), or null
// when memory is short. [any thread]
IUnknown* NewEditorPage();
