#pragma once

// The command-line converter as a function, so tests can run it without a
// process: arguments in, exit code out, output streams given.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace norvella {

// Exit codes: 0 done, 1 a file could not be read or written, 2 bad usage,
// 3 a conversion failed (out of memory, or a fault of the program); the
// other inputs are still converted.
int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      bool progressToTerminal);

// Runs the command and turns anything it throws into a message on `err`
// and exit code 3, so that no failure ends the program as a crash.
int RunReportingFailures(const std::function<int()>& run, std::ostream& err);

}  // namespace norvella
