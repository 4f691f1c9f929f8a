// The command line, read with CLI11. Help lists every option and every setting with its range
// and default.
#pragma once

#include <ostream>
#include <variant>

#include "arpeggiate/Options.h"

// Exit codes: 0 done, 1 an output could not be written or the filter could not be made, 2 a
// bad command line or an input that cannot be read.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The options, or the exit code when the run ends here: after --help or --version (0), or
// after a bad command line, reported on `err` with the HelpPointer line (kExitUsage).
std::variant<Options, int> ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                            std::ostream& err);

// The one line printed under a command-line error: the whole help would fill the screen and
// push the error out of sight.
inline constexpr const char* kHelpPointer =
    "Usage: arpeggiate [OPTIONS] IN.mid OUT.mid; arpeggiate --help lists every option and "
    "setting.";
