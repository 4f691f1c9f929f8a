// One run of pagehost: settings in, the page in its frame, settings out.
#pragma once

#include <ostream>

#include "pagehost/PageHostOptions.h"

// What the run printed goes to `out`, failures to `err`; returns the exit code.
int RunPageHost(const PageHostOptions& options, std::ostream& out, std::ostream& err);
