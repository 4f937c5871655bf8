#pragma once

// The command-line converter as a function, so tests can run it without a
// process: arguments in, exit code out, output streams given.

#include <iosfwd>
#include <string>
#include <vector>

namespace norvella {

// Exit codes: 0 done, 1 a file could not be read or written, 2 bad usage.
int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      bool progressToTerminal);

}  // namespace norvella
