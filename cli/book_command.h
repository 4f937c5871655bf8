#pragma once

// `norvella-book`, the book tool, as a function so tests can run it
// without a process.

#include <iosfwd>
#include <string>
#include <vector>

namespace norvella {

// `info [--json] FILE`: what the document carries, in UTF-8.
// Exit codes: 0 done, 1 the file could not be read, 2 bad usage.
int RunBookCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace norvella
