// Deleting a registry key together with everything below it.
#pragma once

#include "platform/ComTypes.h"

// Depth first, as a key with subkeys cannot be deleted. Subkey names longer than 512
// characters are not followed, and a subkey that cannot be deleted is left with its parent.
// A key that cannot be opened is still handed to the final delete. Returns whether `path`
// itself was deleted. [any thread]
bool DeleteKeyTree(HKEY parent, const wchar_t* path);
