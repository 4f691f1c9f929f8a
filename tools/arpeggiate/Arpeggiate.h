// One run of the tool: read the song, play it through a filter per track, write the result.
#pragma once

#include <ostream>

#include "arpeggiate/Options.h"

// Returns the exit code of CommandLine.h. Messages go to `err`, the summary to `out`.
int RunArpeggiate(const Options& options, std::ostream& out, std::ostream& err);
