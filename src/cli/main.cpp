// zq61-cli: the console's device operations from a terminal.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_program.h"
#include "cli/fd_output.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  zq::cli::FdOutputBuffer output(STDOUT_FILENO);
  std::ostream out(&output);
  zq::cli::ProgramStreams streams{
      out, std::cerr, std::cin, isatty(STDIN_FILENO) != 0, isatty(STDERR_FILENO) != 0, [&output] {
        return output.Error();
      }};
  return zq::cli::RunProgram(arguments, streams);
}
