#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/convert_command.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return norvella::RunReportingFailures(
      [&] {
        const std::vector<std::string> args(argv + 1, argv + argc);
        return norvella::RunConvertCommand(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0);
      },
      std::cerr);
}
