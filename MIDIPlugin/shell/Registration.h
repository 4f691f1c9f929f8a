// What registration writes to and removes from the registry, for every served class. Both run
// in whatever process calls the exports (an installer, regsvr32) and touch only the registry.
// A registry call that fails is skipped; nothing is reported.
#pragma once

// Writes the class keys under the classes root and the filter's entry under the host's
// "MIDI Filters" key. Registering again rewrites the same keys and values. [any thread]
void RegisterServedClasses();

// Removes the class keys and the filter's "MIDI Filters" entry with everything below them,
// leaving "MIDI Filters" itself and the company key in place. [any thread]
void UnregisterServedClasses();
